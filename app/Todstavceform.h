#pragma once

// The paragraph dialog: alignment, left and right indent in centimetres,
// space before and after in points and the line spacing of the paragraphs of
// the editor's selection. It reads the paragraph when it is created and writes
// it back on "Ok"; every opening makes a fresh one.

#include <QDialog>

class QComboBox;
class TFloatSpinEdit;
class TIntSpinEdit;
class TMainform;

class Todstavceform : public QDialog
{
    Q_OBJECT
public:
    explicit Todstavceform(TMainform& mainform);

    QComboBox* zarovnaniob = nullptr;
    TFloatSpinEdit* zlevaod = nullptr;
    TFloatSpinEdit* zpravaod = nullptr;
    TIntSpinEdit* predm = nullptr;
    TIntSpinEdit* zam = nullptr;
    QComboBox* radkovanim = nullptr;
    TIntSpinEdit* vyskam = nullptr;

    void FormCreate(QObject* Sender);
    void radkovanimChange(QObject* Sender);
    void okClick(QObject* Sender);
    void stornoClick(QObject* Sender);

private:
    void createControls();

    TMainform& m_mainform;
};
