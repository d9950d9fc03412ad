#include "widgets/TZvFlatMenuManager.h"

#include "widgets/TZvFlatMenu.h"
#include "widgets/TZvFlatMenuKinds.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace {

TZvFlatMenuManager* theManager = nullptr;

bool contains(const std::vector<QPointer<QWidget>>& forms, const QWidget* form)
{
    return std::find(forms.begin(), forms.end(), form) != forms.end();
}

} // namespace

TZvFlatMenuManager::TZvFlatMenuManager()
{
    qApp->installEventFilter(this);
}

TZvFlatMenuManager::~TZvFlatMenuManager()
{
    qApp->removeEventFilter(this);
}

void TZvFlatMenuManager::addRenderer(TZvFlatMenu* renderer)
{
    if (!theManager)
        theManager = new TZvFlatMenuManager;
    theManager->m_renderers.push_back(renderer);
}

void TZvFlatMenuManager::removeRenderer(TZvFlatMenu* renderer)
{
    if (!theManager)
        return;
    std::erase(theManager->m_renderers, renderer);
    if (theManager->m_handedOn == renderer)
        theManager->takeOverFrom(renderer);
    if (!theManager->m_renderers.empty())
        return;
    delete theManager;
    theManager = nullptr;
}

void TZvFlatMenuManager::rendererActivated(TZvFlatMenu* renderer)
{
    if (!theManager || theManager->m_handedOn || renderer->DisableSubclassing())
        return;
    theManager->handOnTo(renderer);
}

void TZvFlatMenuManager::rendererDeactivated(TZvFlatMenu* renderer)
{
    if (theManager && theManager->m_handedOn == renderer)
        theManager->takeOverFrom(renderer);
}

void TZvFlatMenuManager::handOnTo(TZvFlatMenu* renderer)
{
    m_handedOn = renderer;
    for (QWidget* form : QApplication::topLevelWidgets()) {
        if (form->isVisible() && wantsForm(form))
            m_waitingForms.emplace_back(form);
    }
    styleWaiting();
}

void TZvFlatMenuManager::takeOverFrom(TZvFlatMenu* renderer)
{
    // The leaving renderer has given its controls their styles back; another
    // active one restyles the same forms, or they stay as they are now.
    m_handedOn = nullptr;
    const auto next = std::find_if(m_renderers.begin(), m_renderers.end(), [renderer](TZvFlatMenu* other) {
        return other != renderer && other->Active() && !other->DisableSubclassing();
    });
    if (next == m_renderers.end()) {
        m_styledForms.clear();
        m_waitingForms.clear();
        return;
    }
    m_handedOn = *next;
    m_waitingForms = m_styledForms;
    m_styledForms.clear();
    styleWaiting();
}

bool TZvFlatMenuManager::wantsForm(const QWidget* form) const
{
    const Qt::WindowType type = form->windowType();
    if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop || HasExcludedTag(form))
        return false;
    if (contains(m_styledForms, form) || contains(m_waitingForms, form))
        return false;
    return std::none_of(m_renderers.begin(), m_renderers.end(),
                        [form](const TZvFlatMenu* renderer) { return renderer->host() == form; });
}

void TZvFlatMenuManager::styleWaiting()
{
    const std::vector<QPointer<QWidget>> waiting = std::exchange(m_waitingForms, {});
    for (const QPointer<QWidget>& form : waiting) {
        if (!form || !m_handedOn)
            continue;
        m_handedOn->attachForm(form);
        m_styledForms.push_back(form);
    }
}

bool TZvFlatMenuManager::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !m_handedOn || !watched->isWidgetType())
        return false;
    auto* form = static_cast<QWidget*>(watched);
    if (!form->isWindow() || !wantsForm(form))
        return false;
    m_waitingForms.emplace_back(form);
    styleWaiting();
    return false;
}
