#include "platform/ScriptedDesktop.h"

#include <QPrinter>
#include "platform/ScriptedFindDialog.h"

void ScriptedDesktop::queueFileDialogAnswer(const QString& fileName, int filterIndex)
{
    m_fileAnswers.push_back(FileAnswer{fileName, filterIndex});
}

void ScriptedDesktop::queueFileDialogCancel()
{
    m_fileAnswers.push_back(std::nullopt);
}

std::vector<ScriptedDesktop::Call> ScriptedDesktop::callsOf(CallKind kind) const
{
    std::vector<Call> result;
    for (const Call& call : m_calls) {
        if (call.kind == kind)
            result.push_back(call);
    }
    return result;
}

QStringList ScriptedDesktop::messageTexts() const
{
    QStringList texts;
    for (const Call& call : callsOf(CallKind::MessageBox))
        texts << call.text;
    return texts;
}

void ScriptedDesktop::clear()
{
    m_calls.clear();
    m_messageBoxAnswers.clear();
    m_fileAnswers.clear();
    m_colorAnswers.clear();
    m_fontAnswers.clear();
    m_folderAnswers.clear();
    m_printAnswers.clear();
    m_pageSetupAnswers.clear();
    m_pageSetupsShown.clear();
    m_propertiesAnswers.clear();
    m_unansweredCalls = 0;
}

int ScriptedDesktop::messageBox(const QString& text, const QString& caption, unsigned flags)
{
    m_calls.push_back(Call{CallKind::MessageBox, text, caption, flags, {}, {}, {}, {}});
    if (!m_messageBoxAnswers.empty()) {
        const int answer = m_messageBoxAnswers.front();
        m_messageBoxAnswers.pop_front();
        return answer;
    }
    const unsigned type = flags & MB_TYPEMASK;
    if (type == MB_OK)
        return IDOK;
    ++m_unansweredCalls;
    return type == MB_YESNO ? IDNO : IDCANCEL;
}

bool ScriptedDesktop::openFileDialog(FileDialogOptions& options)
{
    return answerFileDialog(CallKind::OpenFileDialog, options);
}

bool ScriptedDesktop::saveFileDialog(FileDialogOptions& options)
{
    return answerFileDialog(CallKind::SaveFileDialog, options);
}

bool ScriptedDesktop::openPictureDialog(FileDialogOptions& options)
{
    return answerFileDialog(CallKind::OpenPictureDialog, options);
}

bool ScriptedDesktop::insertObjectDialog(InsertObjectOptions& options)
{
    FileDialogOptions shown;
    shown.filters = options.filters;
    shown.initialDir = options.initialDir;
    if (!answerFileDialog(CallKind::InsertObjectDialog, shown))
        return false;
    options.fileName = shown.fileName;
    return true;
}

bool ScriptedDesktop::objectPropertiesDialog(const ObjectPropertiesOptions& options)
{
    m_calls.push_back(
        Call{CallKind::ObjectPropertiesDialog, options.typeName, options.caption, 0, {}, {}, {}, options});
    if (m_propertiesAnswers.empty()) {
        ++m_unansweredCalls;
        return false;
    }
    const bool ok = m_propertiesAnswers.front();
    m_propertiesAnswers.pop_front();
    return ok;
}

bool ScriptedDesktop::answerFileDialog(CallKind kind, FileDialogOptions& options)
{
    m_calls.push_back(Call{kind, {}, {}, 0, options, {}, {}, {}});
    if (m_fileAnswers.empty()) {
        ++m_unansweredCalls;
        return false;
    }
    const std::optional<FileAnswer> answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    if (!answer)
        return false;
    options.fileName = answer->fileName;
    options.filterIndex = answer->filterIndex;
    return true;
}

bool ScriptedDesktop::chooseColor(ColorDialogOptions& options)
{
    m_calls.push_back(Call{CallKind::ColorDialog, {}, {}, 0, {}, options, {}, {}});
    return takeAnswer(m_colorAnswers, options.color);
}

bool ScriptedDesktop::chooseFont(FontDialogOptions& options)
{
    m_calls.push_back(Call{CallKind::FontDialog, {}, {}, 0, {}, {}, options, {}});
    return takeAnswer(m_fontAnswers, options.font);
}

bool ScriptedDesktop::browseForFolder(const QString& prompt, QString& folder)
{
    FileDialogOptions shown;
    shown.initialDir = folder;
    m_calls.push_back(Call{CallKind::FolderBrowser, prompt, {}, 0, shown, {}, {}, {}});
    return takeAnswer(m_folderAnswers, folder);
}

bool ScriptedDesktop::printDialog(QPrinter& printer)
{
    m_calls.push_back(Call{CallKind::PrintDialog, {}, {}, 0, {}, {}, {}, {}});
    int copies = 1;
    if (!takeAnswer(m_printAnswers, copies))
        return false;
    printer.setCopyCount(copies);
    return true;
}

bool ScriptedDesktop::pageSetupDialog(QPrinter& printer, PageSetupOptions& options)
{
    m_calls.push_back(Call{CallKind::PageSetupDialog, {}, {}, 0, {}, {}, {}, {}});
    m_pageSetupsShown.push_back(options);
    if (!takeAnswer(m_pageSetupAnswers, options))
        return false;
    ApplyPaperAndOrientation(printer, options);
    return true;
}

void ScriptedDesktop::messageBeep(unsigned type)
{
    m_calls.push_back(Call{CallKind::MessageBeep, {}, {}, type, {}, {}, {}, {}});
}

bool ScriptedDesktop::shellExecuteOpen(const QString& target)
{
    m_calls.push_back(Call{CallKind::ShellExecuteOpen, target, {}, 0, {}, {}, {}, {}});
    return true;
}

TFindDialog* ScriptedDesktop::createFindDialog(QObject* owner, FindDialogKind kind)
{
    const CallKind call = kind == FindDialogKind::Find ? CallKind::FindDialog : CallKind::ReplaceDialog;
    m_calls.push_back(Call{call, {}, {}, 0, {}, {}, {}, {}});
    return new ScriptedFindDialog(kind, owner);
}
