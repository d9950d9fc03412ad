#pragma once

// The paragraph dialog: alignment, left and right indent in centimetres,
// space before and after in points and the line spacing of the paragraphs of
// the editor's selection. It reads the paragraph when it is created and writes
// it back on "Ok"; every opening makes a fresh one.

#include <QDialog>

class QComboBox;
class QSpinBox;
class TFloatSpinEdit;
class TMainform;

class Todstavceform : public QDialog
{
    Q_OBJECT
public:
    explicit Todstavceform(TMainform& mainform);

    QComboBox* zarovnaniob = nullptr;
    TFloatSpinEdit* zlevaod = nullptr;
    TFloatSpinEdit* zpravaod = nullptr;
    QSpinBox* predm = nullptr;
    QSpinBox* zam = nullptr;
    QComboBox* radkovanim = nullptr;
    QSpinBox* vyskam = nullptr;

    void FormCreate(QObject* Sender);
    void radkovanimChange(QObject* Sender);
    void okClick(QObject* Sender);
    void stornoClick(QObject* Sender);

private:
    void createControls();

    TMainform& m_mainform;
};
