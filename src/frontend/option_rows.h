// The rows of the options menu: one match parameter each, with its text and arrow buttons.
#pragma once

#include <array>
#include <cstdint>

struct OptionRow {
    const char *format; // the text line, printed with the value
    int32_t *int_value; // the parameter of an int row; null on a float row
    float *float_value; // the parameter of a float row; null on an int row
    int32_t int_step;
    double float_step; // floats step in double precision and are stored back as float
    int button_y;      // the arrow buttons; the text line stands below them
};

constexpr int OPTION_ROW_COUNT = 11;
constexpr int OPTION_TEXT_X = 50;
constexpr int OPTION_TEXT_BELOW_BUTTONS = 10;
constexpr int OPTION_UP_X = 320;
constexpr int OPTION_DOWN_X = 360;
constexpr int OPTION_TEXT_SIZE = 128;

// Top to bottom; the number of trees is the last row.
extern const std::array<OptionRow, OPTION_ROW_COUNT> option_rows;

int option_text_y(const OptionRow &row);

// One step up or down; the options menu applies the bounds afterwards.
void raise_option(const OptionRow &row);
void lower_option(const OptionRow &row);

// The row's text line as the menu draws it.
void option_text(const OptionRow &row, char *text, int size);
