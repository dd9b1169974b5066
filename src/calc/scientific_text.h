#pragma once

namespace tolvi {

// Writes a finite, non-negative double in scientific notation, d.ddd...e±XX with
// `fractionDigits` digits after the point, the value's exact binary value rounded to nearest,
// ties to even. Returns the end of the text written; `text` must hold 32 characters.
char* WriteScientific(char* text, double magnitude, int fractionDigits);

}  // namespace tolvi
