#pragma once

// The 640 x 480 space that text is printed in: origin at the top-left of the
// window, y downwards, one unit per virtual pixel whatever the window's size.
// Push saves both matrices and the texture and enable state; Pop restores them
// and leaves the modelview matrix selected.
namespace screen_space {

void Push(double depth = 1.0); // z from -depth to depth
void Pop();
// The bound texture repeats and is sampled texel for texel, modulated by
// the vertex colour.
void SetTexelSampling();
// Text drawing state: texel sampling on the bound texture, texturing on,
// no depth test and no culling.
void SetTextState();

} // namespace screen_space
