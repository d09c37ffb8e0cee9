// The computer tanks: they wander, lean left and fire whenever they may.
#pragma once

void drive_computer_tanks();
