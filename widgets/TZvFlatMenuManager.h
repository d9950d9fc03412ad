#pragma once

// Hands one active flat menu renderer on to the application's forms that
// have no renderer of their own: the forms open when it became active and
// every form shown later (dialogs included). Forms with the dynamic property
// "Tag" 999 are left alone; so are popups and tool tips. There is one manager
// while any renderer exists; it watches the application's events.

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;
class TZvFlatMenu;

class TZvFlatMenuManager : public QObject
{
    Q_OBJECT

public:
    static void addRenderer(TZvFlatMenu* renderer);
    static void removeRenderer(TZvFlatMenu* renderer);
    static void rendererActivated(TZvFlatMenu* renderer);
    static void rendererDeactivated(TZvFlatMenu* renderer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TZvFlatMenuManager();
    ~TZvFlatMenuManager() override;
    void handOnTo(TZvFlatMenu* renderer);
    void takeOverFrom(TZvFlatMenu* renderer);
    bool wantsForm(const QWidget* form) const;
    void styleWaiting();

    std::vector<TZvFlatMenu*> m_renderers;
    std::vector<QPointer<QWidget>> m_styledForms;
    std::vector<QPointer<QWidget>> m_waitingForms;
    QPointer<TZvFlatMenu> m_handedOn;
};
