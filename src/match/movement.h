// The six things a driver, human or computer, can do with its tank.
#pragma once

void turn_left(int tank);
void turn_right(int tank);
void move_forwards(int tank);
void move_backwards(int tank);
void stop_tank(int tank);
void fire_shell(int tank);
