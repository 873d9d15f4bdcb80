// SPDX-License-Identifier: MIT
#pragma once

class QLineEdit;

/**
 * A caption box that follows its text's direction: a caption that starts
 * (after digits and punctuation) with a Hebrew or Arabic letter is laid out
 * from the right, with the cursor keys and alignment to match; an empty box
 * takes its window's direction again.
 */
class CaptionDirection
{
public:
    /** Makes box follow its text from now on, and sets its direction for the text it holds. */
    static void follow(QLineEdit *box);
};
