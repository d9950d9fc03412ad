#pragma once

// Character formats of an editor's text, set and read through the control's
// own format calls, for tests that need formatted text.

#include "editcontrol/RichEditControl.h"
#include "richedit/TZvCustomRichEdit.h"

inline void makeBold(TZvCustomRichEdit& editor, int from, int to)
{
    editor.SelectRange(from, to, false);
    CHARFORMAT2A format;
    format.dwMask = CFM_BOLD;
    format.dwEffects = CFE_BOLD;
    editor.control()->SetCharFormat(SCF_SELECTION, format);
}

inline bool isBoldAt(TZvCustomRichEdit& editor, int position)
{
    editor.SelectRange(position, position + 1, false);
    CHARFORMAT2A format;
    editor.control()->GetCharFormat(SCF_SELECTION, format);
    return format.dwEffects & CFE_BOLD;
}
