// The three pictures the dialog's badges show.
#pragma once

#include "BadgeImage.h"

// 32 x 32, 16 colours: a symmetric interlaced knot in olive, red, green, yellow and blue.
const BadgePicture& PlateMakingPicture();
// 32 x 16, 16 colours: small coloured lettering above a striped band.
const BadgePicture& WovenLabelPicture();
// 27 x 48, 2 colours: a red seal impression.
const BadgePicture& SealPicture();

// A picture at `scale`: drawn anew where its code can (the knot's rings), its
// cells enlarged where it is a grid of them (lettering, carved characters).
BadgePicture BadgePictureAt(const BadgePicture& picture, double scale);
