#pragma once

// Keeps the keyboard where a person expects it around dialogs. A dialog that
// opens takes the keyboard, and one that closes gives it back to the window it
// belongs to. Most window managers do both by themselves; without one, or with
// one that leaves the activation alone, a new dialog would not get the keys and
// a closed one would leave no window active, so that the menus' Alt letters
// matched nothing and the keys went on into the document.

#include <QObject>

class DialogActivation : public QObject
{
public:
    // Watches every dialog of the application for as long as it lives.
    explicit DialogActivation(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
