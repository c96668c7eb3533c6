#pragma once

// The interface names "Microsoft YaHei" everywhere. Where that family is missing, Latin text and digits take
// a family of similar widths (so that "100%" still fits its label) and the Chinese texts a simplified-Chinese
// CJK family, instead of whatever the font system would pick first.
void substituteInterfaceFont();
