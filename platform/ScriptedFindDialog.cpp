#include "platform/ScriptedFindDialog.h"

bool ScriptedFindDialog::Execute()
{
    if (m_visible)
        ++m_timesBroughtToFront;
    m_visible = true;
    return true;
}

void ScriptedFindDialog::CloseDialog()
{
    if (!m_visible)
        return;
    m_visible = false;
    raiseClose();
}
