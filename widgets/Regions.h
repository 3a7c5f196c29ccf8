#pragma once

#include <QRegion>

// Boxes are half-open (from the smaller coordinate up to but not including the
// larger one); corners given in reverse order are sorted first.
QRegion boxRegion(int x1, int y1, int x2, int y2);

// The ellipse inscribed in a half-open box: a pixel belongs to it when its
// centre lies inside the ellipse.
QRegion ellipseRegion(int x1, int y1, int x2, int y2);

// A box with independently rounded corners (radii in pixels; 0 keeps the corner square).
QRegion CreateRoundedRegion(int x1, int y1, int x2, int y2, int rTopLeft, int rTopRight,
                            int rBottomLeft, int rBottomRight);

// The rectangle left..right x top..bottom whose corners are quarter ellipses
// ellipseWidth x ellipseHeight (0 gives a plain rectangle).
QRegion roundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight);
