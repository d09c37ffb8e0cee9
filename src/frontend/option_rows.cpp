#include "frontend/option_rows.h"

#include <allegro.h>
#include <limits>

namespace {

// An int row without an upper bound must not wrap round past the largest value.
int32_t saturated_sum(int32_t value, int64_t step) {
    const int64_t sum = static_cast<int64_t>(value) + step;
    if (sum > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (sum < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(sum);
}

void step_option(const SettingRow &row, int direction) {
    if (row.kind == SETTING_INT) {
        int32_t &value = int_setting(row);
        value = saturated_sum(value, direction * static_cast<int64_t>(row.step));
    } else {
        float &value = float_setting(row);
        const double now = value;
        value = static_cast<float>(direction > 0 ? now + row.step : now - row.step);
    }
}
} // namespace

int option_text_y(const SettingRow &row) {
    return row.menu_y + OPTION_TEXT_BELOW_BUTTONS;
}

void raise_option(const SettingRow &row) {
    step_option(row, 1);
}

void lower_option(const SettingRow &row) {
    step_option(row, -1);
}

void option_text(const SettingRow &row, char *text, int size) {
    if (row.kind == SETTING_INT) {
        uszprintf(text, size, row.label, static_cast<int>(int_setting(row)));
    } else {
        uszprintf(text, size, row.label, static_cast<double>(float_setting(row)));
    }
}
