#include "config/settings_bounds.h"

#include "config/settings_table.h"

#include <cmath>
#include <cstdint>

void keep_settings_in_bounds() {
    for (const SettingRow &row : setting_rows) {
        if (row.kind == SETTING_FLOAT) {
            float &speed = float_setting(row);
            if (!std::isfinite(speed) || static_cast<double>(speed) <= row.lowest) {
                speed = static_cast<float>(row.lowest);
            }
            continue;
        }
        int32_t &value = int_setting(row);
        if (value < row.lowest) {
            value = static_cast<int32_t>(row.lowest);
        }
        if (value > row.highest) {
            value = static_cast<int32_t>(row.highest);
        }
    }
}
