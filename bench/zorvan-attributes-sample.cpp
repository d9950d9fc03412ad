// zorvan-attributes-sample ROWS.tsv OUTPUT.rtf: writes the sample document of the attribute
// measurement (bench/interop/check-attributes.sh). Each row of ROWS.tsv is one word on a
// paragraph of its own, with the attributes the row gives: face, size in twips, style flags,
// script position, text colour, highlight and character set. The words are typed into an
// editor and formatted through its selection's character attributes, as the formatting
// commands do, and the document is saved through Lines. Exit status 0 on success.

#include "platform/ColorRef.h"
#include "editcontrol/RichEditControl.h"
#include "platform/ZvExceptions.h"
#include "richedit/TZvRichEdit.h"
#include "richedit/TZvTextAttributes.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

// "#rrggbb" as a colour value; "auto" as the automatic colour.
TColor colorOf(const QString& text)
{
    const QColor color(text);
    return color.isValid() ? RGB(color.red(), color.green(), color.blue()) : clDefault;
}

void moveToEnd(TZvRichEdit& editor)
{
    editor.SelectAll();
    editor.setSelectionStart(editor.SelectionStart() + editor.SelectionLength());
}

// Types a word in a paragraph of its own at the end of the text and gives it the
// attributes of its row.
void appendWord(TZvRichEdit& editor, const QHash<QString, QString>& row)
{
    moveToEnd(editor);
    if (editor.SelectionStart() > 0) {
        editor.setSelectedText(QStringLiteral("\r"));
        moveToEnd(editor);
    }
    editor.setSelectedText(row.value(QStringLiteral("word")));
    TZvTextAttributes& attributes = editor.SelectionAttributes();
    attributes.setFaceName(row.value(QStringLiteral("face")));
    attributes.setCharset(row.value(QStringLiteral("charset")).toInt());
    const int twips = row.value(QStringLiteral("twips")).toInt();
    attributes.setPointSize(twips / 20);
    if (twips % 20 != 0) {
        // The attributes take whole points; half points go through the control's format
        // call in twips, as the font dialog's sizes do.
        CHARFORMAT2A size;
        size.dwMask = CFM_SIZE;
        size.yHeight = twips;
        editor.control()->SetCharFormat(SCF_SELECTION, size);
    }
    attributes.setStyleFlags(row.value(QStringLiteral("style")).toUInt());
    attributes.setScriptPosition(row.value(QStringLiteral("script")).toInt());
    attributes.setTextColor(colorOf(row.value(QStringLiteral("color"))));
    attributes.setHighlightColor(colorOf(row.value(QStringLiteral("highlight"))));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: zorvan-attributes-sample ROWS.tsv OUTPUT.rtf\n");
        return 1;
    }
    QFile rows(arguments.at(1));
    if (!rows.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "zorvan-attributes-sample: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    try {
        TZvRichEdit editor;
        QTextStream in(&rows);
        QStringList header;
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.trimmed().isEmpty() || line.startsWith(u'#'))
                continue;
            const QStringList fields = line.split(u'\t');
            if (header.isEmpty()) {
                header = fields;
                continue;
            }
            QHash<QString, QString> row;
            for (qsizetype column = 0; column < header.size() && column < fields.size(); ++column)
                row.insert(header.at(column), fields.at(column));
            appendWord(editor, row);
        }
        editor.Lines().SaveToFile(arguments.at(2));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zorvan-attributes-sample: %s: %s\n", qPrintable(ExceptionClassName(error)),
                     qPrintable(ExceptionMessage(error)));
        return 1;
    }
    return 0;
}
