#pragma once

// The paragraph attributes of the editor as typed values, for the paragraphs
// the selection touches (or the caret's paragraph). Lengths are whole points
// over the control's twips. Every read and write goes straight to the
// control's paragraph-format calls; nothing is cached. Without a control a read
// gives the value of an empty record; a write creates the control.

#include "platform/Persistent.h"
#include "editcontrol/RichEditTypes.h"

#include <QString>

class TZvCustomRichEdit;

enum TZvAlignment : int { taLeftJustify = 0, taRightJustify = 1, taCenter = 2, taJustify = 3 };

// ListStyle values.
enum TZvListStyle : int {
    lsNone = 0,
    lsBullet = 1,
    lsArabic = 2,
    lsLowerLetters = 3,
    lsUpperLetters = 4,
    lsLowerRoman = 5,
    lsUpperRoman = 6
};

class TZvParaAttributes : public TPersistent
{
public:
    explicit TZvParaAttributes(TZvCustomRichEdit& owner);

    QString ClassName() const override { return QStringLiteral("TZvParaAttributes"); }

    // From other paragraph attributes: exactly the attributes the source
    // reports as uniform. Anything else: the cannot-assign error.
    void Assign(const TPersistent& source) override;

    int Alignment() const; // TZvAlignment
    void setAlignment(int value);
    int ListStyle() const; // TZvListStyle
    void setListStyle(int value);
    void setNumberingStart(int value);
    void setNumberingStyle(int value);
    int FirstLineIndent() const;
    void setFirstLineIndent(int value);
    int LeftIndent() const; // from the first line; negative indents the first line
    void setLeftIndent(int value);
    int RightIndent() const;
    void setRightIndent(int value);
    int SpaceBefore() const;
    void setSpaceBefore(int value);
    int SpaceAfter() const;
    void setSpaceAfter(int value);
    int LineSpacing() const; // points, or lines for rule 5
    void setLineSpacing(int value);
    int LineSpacingRule() const; // the LineSpacingRule values 0..5
    void setLineSpacingRule(int value);

private:
    PARAFORMAT2 read() const;
    void write(PARAFORMAT2& record) const;

    TZvCustomRichEdit& m_owner;
};
