#pragma once

// Whole-degree trigonometry from tables, with screen y pointing down.

// Above 360 becomes 0 and below 0 becomes 360; nothing else changes.
void M_resetAngle(int& angle);
double M_cos(int angle);
// The negated sine, so positive angles turn up the screen.
double M_sin(int angle);
// The point at radius and angle round (cx, cy).
void M2D_getNewAngularPosFromOldPos(double radius, int angle, float& x, float& y, float cx, float cy);
