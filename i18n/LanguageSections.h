// The sections of a language file and the target of each of their value lines, in order. This
// is the one place that says which text a line replaces; the language holder resolves each
// target in its window and writes the text there.
#pragma once

#include <cstddef>
#include <vector>

enum class TargetKind {
    Skipped,        // read and not used (the header's values, two lines of "[PC]")
    Caption,        // a label's, button's or group box's text; a tab page's tab text
    WindowCaption,  // the window's title bar text
    Hint,           // a control's tool tip
    ListItem,       // the next item of a drop-down list, emptied before its first item
    ColumnCaption,  // the caption of list column `index`
    MenuItem,       // a menu item's caption
    TextSlot,       // a text the window keeps for later use, named by `control`
};

// Windows by their global object's name: "Form_Main", "FormStartModus", "Form_FileDialog", ...
struct LanguageTarget {
    TargetKind kind;
    const char* window;
    const char* control;  // objectName, or the text slot's name; empty for WindowCaption
    int index = 0;        // ColumnCaption only
};

struct LanguageSection {
    const char* name;  // the section line, matched exactly (case and blanks matter)
    std::vector<LanguageTarget> lines;
};

// Every section, "[Header]" first. Names are 8-bit text as they stand in a file.
const std::vector<LanguageSection>& LanguageSections();
