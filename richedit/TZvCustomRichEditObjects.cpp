// Embedded objects of the editor: pictures. Inserting one through the
// insert-object dialog, the properties dialog of a selected one, and the
// object's own items in the pop-up menu.

#include "richedit/TZvCustomRichEdit.h"

#include "format/TextFormatProperties.h"
#include "platform/Desktop.h"
#include "editcontrol/RichEditControl.h"
#include "platform/TPicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QTextImageFormat>

namespace {

// The program's name as objects are told it: the application's title, or
// the executable's file name when there is none.
QString applicationTitle()
{
    const QString title = QGuiApplication::applicationDisplayName().trimmed();
    if (!title.isEmpty())
        return title;
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

} // namespace

bool TZvCustomRichEdit::ShowInsertObjectDialog()
{
    if (!m_allowObjects)
        return false;
    InsertObjectOptions options;
    options.filters = TPicture::DialogFilters();
    if (!desktop().insertObjectDialog(options))
        return false;
    // A file that is no picture raises EInvalidGraphic to the caller.
    TPicture picture;
    picture.LoadFromFile(options.fileName);
    const QString kind = picture.StoredKind();
    return control()->InsertObject(picture.Image(), kind.isEmpty() ? QByteArray() : picture.FileData(), kind);
}

QString TZvCustomRichEdit::selectedObjectTypeName()
{
    if (SelectionKind() != stObject)
        return QString();
    const QString kind = control()->SelectedObject().stringProperty(TextFormatProperties::ObjectPictureKind);
    if (kind.isEmpty())
        return tr("Obrázek");
    return tr("Obrázek %1").arg(kind.toUpper());
}

bool TZvCustomRichEdit::ShowObjectPropertiesDialog()
{
    const QString typeName = selectedObjectTypeName();
    if (typeName.isEmpty())
        return false;
    const QImage image = control()->ObjectImage(control()->SelectedObject());
    ObjectPropertiesOptions options;
    options.caption = QStringLiteral("%1 Properties").arg(typeName);
    options.typeName = typeName;
    options.size =
        image.isNull() ? tr("neznámá") : tr("%1 × %2 obrazových bodů").arg(image.width()).arg(image.height());
    const QString application = applicationTitle();
    options.location =
        m_title.trimmed().isEmpty() ? application : QStringLiteral("%1 - %2").arg(m_title, application);
    options.picture = image;
    return desktop().objectPropertiesDialog(options);
}

QMenu* TZvCustomRichEdit::popupMenuToShow()
{
    // The object's items of the last pop-up go with it.
    m_objectVerbMenu.reset();
    const QString typeName = m_autoVerbMenu ? selectedObjectTypeName() : QString();
    if (typeName.isEmpty())
        return m_popupMenu;
    m_objectVerbMenu = std::make_unique<QMenu>();
    auto* properties = new QAction(QStringLiteral("%1 Properties").arg(typeName), m_objectVerbMenu.get());
    properties->setObjectName(QStringLiteral("ObjectProperties"));
    connect(properties, &QAction::triggered, this, [this] { ShowObjectPropertiesDialog(); });
    // A picture's one verb shows it in the desktop's picture viewer.
    auto* verbs = new QMenu(typeName, m_objectVerbMenu.get());
    verbs->setObjectName(QStringLiteral("ObjectVerbs"));
    QAction* open = verbs->addAction(tr("Otevřít"), this, [this] { openSelectedObject(); });
    verbs->setDefaultAction(open);
    if (!m_popupMenu || m_popupMenu->actions().isEmpty()) {
        m_objectVerbMenu->addAction(properties);
        m_objectVerbMenu->addActions(verbs->actions());
        return m_objectVerbMenu.get();
    }
    auto* separator = new QAction(m_objectVerbMenu.get());
    separator->setSeparator(true);
    m_popupMenu->addAction(separator);
    m_popupMenu->addAction(properties);
    m_popupMenu->addMenu(verbs);
    return m_popupMenu;
}

void TZvCustomRichEdit::openSelectedObject()
{
    const QImage image = control()->ObjectImage(control()->SelectedObject());
    if (image.isNull())
        return;
    if (!m_objectFiles)
        m_objectFiles = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zorvan-XXXXXX"));
    const QString path =
        m_objectFiles->filePath(QStringLiteral("obrazek-%1.png").arg(++m_objectFilesWritten));
    if (m_objectFiles->isValid() && image.save(path, "PNG"))
        desktop().shellExecuteOpen(path);
}
