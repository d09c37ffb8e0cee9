#include <allegro.h>
#include <gtest/gtest.h>

#include "allegro_fixture.h"
#include "frontend/startup.h"

TEST(MenuDataCheck, TakesOnlyAFileWithEveryImageTheMenusDraw) {
    start_allegro_without_display();
    FakeMenuData fake(4, 4);
    DATAFILE *data = fake.objects.data();

    EXPECT_FALSE(menu_data_usable(nullptr)); // missing or unreadable file
    EXPECT_TRUE(menu_data_usable(data));

    // One object short: the Up button's highlight is missing.
    data[MENU_OBJECT_COUNT - 1].type = DAT_END;
    EXPECT_FALSE(menu_data_usable(data));
    data[MENU_OBJECT_COUNT - 1].type = DAT_BITMAP;

    // A sample where the pointer should be.
    data[MENU_POINTER].type = DAT_SAMPLE;
    EXPECT_FALSE(menu_data_usable(data));
    data[MENU_POINTER].type = DAT_BITMAP;

    // The background and the last highlight are checked too.
    data[MENU_BACKGROUND].type = DAT_FONT;
    EXPECT_FALSE(menu_data_usable(data));
    data[MENU_BACKGROUND].type = DAT_BITMAP;
    data[MENU_UP + 1].type = DAT_DATA;
    EXPECT_FALSE(menu_data_usable(data));
    data[MENU_UP + 1].type = DAT_BITMAP;

    // Objects 6 and 7 are never drawn, so they may be anything.
    data[6].type = DAT_DATA;
    data[7].type = DAT_SAMPLE;
    EXPECT_TRUE(menu_data_usable(data));
    data[6].type = DAT_BITMAP;
    data[7].type = DAT_BITMAP;
}
