#pragma once

// The settings dialog: autosave, undo steps, the save folder, the shortcut
// buttons and what the main window shows. It is filled from the main window's
// live components when it shows and writes them back on "OK"; nothing reaches
// the settings file until the main window closes. "Storno" applies nothing,
// but the two shortcut buttons act at once. Spell checking ticked without a
// Czech dictionary is refused with a message before anything is applied.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TFolderEdit;
class TMainform;

class Tnastaveni : public QDialog
{
    Q_OBJECT
public:
    explicit Tnastaveni(TMainform& mainform);

    QTabWidget* PageControl1 = nullptr;
    // Page "Obecné".
    QWidget* obecne = nullptr;
    QGroupBox* standupravy = nullptr;
    QPushButton* plocha = nullptr;
    QPushButton* start = nullptr;
    QCheckBox* autosavecheck = nullptr;
    QSpinBox* SpinEdit1 = nullptr; // autosave period in minutes, 1 to 60
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QSpinBox* zpetkrat = nullptr; // undo steps, 1 to 10000
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    TFolderEdit* Umistenislozky = nullptr;
    QCheckBox* kontrolapravopisu = nullptr;
    // Page "Zobrazení".
    QWidget* TabSheet1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* zalomeniradku = nullptr;
    QCheckBox* stavovyradek = nullptr;
    QCheckBox* Pravitko = nullptr;
    QCheckBox* zobrazenihtmlsyntaxe = nullptr;

    QPushButton* f2ok = nullptr;
    QPushButton* f2storno = nullptr;

    void FormShow(QObject* Sender);
    void f2okClick(QObject* Sender);
    void f2stornoClick(QObject* Sender);
    void plochaClick(QObject* Sender);
    void startClick(QObject* Sender);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createGeneralPage();
    void placeFieldColumn();
    void createViewPage();
    void removeHighlighting();

    TMainform& m_mainform;
};
