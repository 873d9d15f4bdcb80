// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>

class Form1;
class Form2;
class FullScreenPreview;
class ShowEditor;
class frmAbout;

/**
 * Names and describes each window's controls for assistive technology,
 * where the visible text alone would not tell a screen reader's user what a
 * control is or does: two "Select..." buttons, a caption box whose label
 * stands apart, a preview that is only a picture. Labels become their boxes'
 * buddies, the film strip and the About box's icon are left out as decoration.
 */
class AccessibleNames
{
    Q_DECLARE_TR_FUNCTIONS(AccessibleNames)

public:
    /** The main window, its full-screen view, and the preview's description that follows the photo on show. */
    static void give(Form2 *window);
    static void give(Form1 *window);
    static void give(frmAbout *box);
    static void give(ShowEditor *editor);

private:
    static void give(FullScreenPreview *view);
};
