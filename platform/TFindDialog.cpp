#include "platform/TFindDialog.h"

TFindDialog::TFindDialog(FindDialogKind kind, QObject* owner) : QObject(owner), m_kind(kind)
{
}

void TFindDialog::setFindText(const QString& value)
{
    if (value == m_findText)
        return;
    m_findText = value;
    stateChanged();
}

void TFindDialog::setReplaceText(const QString& value)
{
    if (value == m_replaceText)
        return;
    m_replaceText = value;
    stateChanged();
}

void TFindDialog::setOptions(TFindOptions value)
{
    if (value == m_options)
        return;
    m_options = value;
    stateChanged();
}

void TFindDialog::request(TFindOption button)
{
    setOptions((m_options & ~(frFindNext | frReplace | frReplaceAll)) | button);
}

void TFindDialog::pressFindNext()
{
    request(frFindNext);
    if (OnFind)
        OnFind(this);
}

void TFindDialog::pressReplace()
{
    request(frReplace);
    if (OnReplace)
        OnReplace(this);
}

void TFindDialog::pressReplaceAll()
{
    request(frReplaceAll);
    if (OnReplace)
        OnReplace(this);
}

void TFindDialog::raiseClose()
{
    if (OnClose)
        OnClose(this);
}
