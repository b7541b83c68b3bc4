// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {
class ComboBox;
class RichTextView;
} // namespace platform

// The font face and size of the text view, chosen from the two combos of the command panel.
// Nothing is stored: each run starts with the fonts the displayed text brings with it.

// Maps faces the designed screens name but this system may lack (Verdana, Arial, MS Sans Serif, ...)
// onto the closest installed face, so that text asking for them looks as designed. Call once at
// start-up, after the application object exists.
void installFontSubstitutes();

// The installed face that stands in for `face`: the face itself when installed, otherwise its
// substitute (or the first of them that is installed), otherwise "" when nothing is known.
QString installedFaceFor(const QString& face);

// The installed families that can write Albanian (Latin letters with ë and ç), each named once, without the
// foundry tags of families several foundries make, and without symbol faces.
QStringList albanianFaces();

// Fills the face combo with albanianFaces (the combo sorts them, regardless of case); its edit field keeps its
// text, nothing is selected and nothing is applied.
void addFontToCombo(platform::ComboBox* CmbFontNames);

// The family the text shown is drawn in, named as the face list names it: the face asked for when it is installed,
// otherwise the one drawn in its place.
QString drawnFace(const platform::RichTextView* Rtf1);

// The size list: whole points from the smallest to the largest.
inline constexpr int kSmallestTextSize = 6;
inline constexpr int kLargestTextSize = 26;

// Adds the sizes kSmallestTextSize to kLargestTextSize in ascending order; the combo's own text ("10") stays.
void addNrFontToCombo(platform::ComboBox* CmbNrFonti);

// The face chosen in the combo, applied to the whole text; the caret then stands at 0 with nothing
// selected. Every other character format (colour, bold, the red marks of a search) stays.
void CmbFontNames_Click(platform::RichTextView* Rtf1, const platform::ComboBox* CmbFontNames);

// The same for the size (the combo's text taken as points); a text that is not a size of the list applies nothing.
void CmbNrFonti_Click(platform::RichTextView* Rtf1, const platform::ComboBox* CmbNrFonti);
