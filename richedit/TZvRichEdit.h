#pragma once

// The editor control as the main window places it. All behaviour lives in
// TZvCustomRichEdit; this class only publishes it.

#include "richedit/TZvCustomRichEdit.h"

class TZvRichEdit : public TZvCustomRichEdit
{
    Q_OBJECT
public:
    using TZvCustomRichEdit::TZvCustomRichEdit;
};
