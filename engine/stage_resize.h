#pragma once

#include <FreeImage.h>

// A target size in pixels from a setting value and its unit: unit 0 is pixels (the value
// itself), unit 1 percent of `size` (rounded to the nearest pixel, halves to even); any other
// unit gives 0.
int ScaleDimension(int value, int unit, int size);

// The FreeImage filter for a resize algorithm code (the position in the options window's list):
// 0 box, 1 bilinear, 2 B-spline, 3 bicubic, 4 Catmull-Rom, 5 Lanczos; any other code is bicubic.
FREE_IMAGE_FILTER ResizeFilterFor(int code);
