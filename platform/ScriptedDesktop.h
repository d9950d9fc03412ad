#pragma once

// The desktop of tests: every call is recorded with its arguments, and the
// answers come from queues that the test fills beforehand. A message box with
// no queued answer answers IDOK when it has an OK button and IDCANCEL
// otherwise; a file, colour or font dialog or a folder browser with no queued
// answer is cancelled. The insert-object dialog takes its answers from the
// file dialogs' queue: the file of the picture to embed. Such calls are also counted in unansweredCalls(), so
// a test can tell it forgot an answer.

#include "platform/Desktop.h"

#include <deque>
#include <optional>
#include <vector>

class ScriptedDesktop : public Desktop
{
public:
    enum class CallKind {
        MessageBox,
        OpenFileDialog,
        SaveFileDialog,
        OpenPictureDialog,
        InsertObjectDialog,
        ObjectPropertiesDialog,
        ColorDialog,
        FontDialog,
        FolderBrowser,
        PrintDialog,
        PageSetupDialog,
        FindDialog,
        ReplaceDialog,
        MessageBeep,
        ShellExecuteOpen
    };

    struct Call
    {
        CallKind kind = CallKind::MessageBox;
        QString text;             // message box text, folder browser prompt or ShellExecuteOpen target
        QString caption;          // message box caption
        unsigned flags = 0;       // message box flags, or the beep type
        FileDialogOptions dialog; // file dialogs: the options as they were shown;
                                  // folder browser: initialDir, the folder it started in
        ColorDialogOptions color; // colour dialog: the options as they were shown
        FontDialogOptions font;   // font dialog: the options as they were shown
        ObjectPropertiesOptions properties; // object properties dialog: what it showed
    };

    // A file dialog's answer: accept this path with this 1-based file type.
    struct FileAnswer
    {
        QString fileName;
        int filterIndex = 1;
    };

    void queueMessageBoxAnswer(int answer) { m_messageBoxAnswers.push_back(answer); }
    void queueFileDialogAnswer(const QString& fileName, int filterIndex = 1);
    void queueFileDialogCancel();
    void queueColorDialogAnswer(COLORREF color) { m_colorAnswers.push_back(color); }
    void queueColorDialogCancel() { m_colorAnswers.push_back(std::nullopt); }
    void queueFontDialogAnswer(const TFont& font) { m_fontAnswers.push_back(font); }
    void queueFontDialogCancel() { m_fontAnswers.push_back(std::nullopt); }
    void queueFolderAnswer(const QString& folder) { m_folderAnswers.push_back(folder); }
    void queueFolderCancel() { m_folderAnswers.push_back(std::nullopt); }
    void queueObjectPropertiesAnswer(bool ok) { m_propertiesAnswers.push_back(ok); }
    void setPrinterNames(const QStringList& names) { m_printerNames = names; }
    // Print and page setup dialogs. An accepted print dialog sets the
    // printer's copy count; an accepted page setup dialog returns `chosen`
    // and gives the printer its paper and orientation.
    void queuePrintDialogAnswer(int copies = 1) { m_printAnswers.push_back(copies); }
    void queuePrintDialogCancel() { m_printAnswers.push_back(std::nullopt); }
    void queuePageSetupAnswer(const PageSetupOptions& chosen) { m_pageSetupAnswers.push_back(chosen); }
    void queuePageSetupCancel() { m_pageSetupAnswers.push_back(std::nullopt); }
    // The options of every page setup dialog, as they were shown.
    const std::vector<PageSetupOptions>& pageSetupsShown() const { return m_pageSetupsShown; }

    const std::vector<Call>& calls() const { return m_calls; }
    std::vector<Call> callsOf(CallKind kind) const;
    // The texts of all message boxes shown so far, in order.
    QStringList messageTexts() const;
    int unansweredCalls() const { return m_unansweredCalls; }
    // Answers still queued, which the code under test never asked for.
    int pendingAnswers() const
    {
        return int(m_messageBoxAnswers.size() + m_fileAnswers.size() + m_colorAnswers.size() +
                   m_fontAnswers.size() + m_folderAnswers.size() + m_printAnswers.size() +
                   m_pageSetupAnswers.size() + m_propertiesAnswers.size());
    }
    void clear();

    int messageBox(const QString& text, const QString& caption, unsigned flags) override;
    bool openFileDialog(FileDialogOptions& options) override;
    bool saveFileDialog(FileDialogOptions& options) override;
    bool openPictureDialog(FileDialogOptions& options) override;
    bool insertObjectDialog(InsertObjectOptions& options) override;
    bool objectPropertiesDialog(const ObjectPropertiesOptions& options) override;
    bool chooseColor(ColorDialogOptions& options) override;
    bool chooseFont(FontDialogOptions& options) override;
    bool browseForFolder(const QString& prompt, QString& folder) override;
    QStringList printerNames() override { return m_printerNames; }
    // Print and page setup dialogs.
    bool printDialog(QPrinter& printer) override;
    bool pageSetupDialog(QPrinter& printer, PageSetupOptions& options) override;

    // Find and replace dialogs.
    // A ScriptedFindDialog, which the test drives through its buttons.
    TFindDialog* createFindDialog(QObject* owner, FindDialogKind kind) override;

    void messageBeep(unsigned type) override;
    bool shellExecuteOpen(const QString& target) override;

private:
    bool answerFileDialog(CallKind kind, FileDialogOptions& options);

    // Takes the next queued answer of a colour or font dialog into `value`;
    // false when it is a cancel or when none is queued.
    template <typename T> bool takeAnswer(std::deque<std::optional<T>>& answers, T& value)
    {
        if (answers.empty()) {
            ++m_unansweredCalls;
            return false;
        }
        const std::optional<T> answer = answers.front();
        answers.pop_front();
        if (answer)
            value = *answer;
        return answer.has_value();
    }

    std::vector<Call> m_calls;
    std::deque<int> m_messageBoxAnswers;
    std::deque<std::optional<FileAnswer>> m_fileAnswers; // empty optional: cancel
    std::deque<std::optional<COLORREF>> m_colorAnswers;  // empty optional: cancel
    std::deque<std::optional<TFont>> m_fontAnswers;      // empty optional: cancel
    std::deque<std::optional<QString>> m_folderAnswers;  // empty optional: cancel
    std::deque<bool> m_propertiesAnswers;
    QStringList m_printerNames; // none installed unless a test says so
    // Print and page setup dialogs.
    std::deque<std::optional<int>> m_printAnswers;                  // copies; empty optional: cancel
    std::deque<std::optional<PageSetupOptions>> m_pageSetupAnswers; // empty optional: cancel
    std::vector<PageSetupOptions> m_pageSetupsShown;

    int m_unansweredCalls = 0;
};
