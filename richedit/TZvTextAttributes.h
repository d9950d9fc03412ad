#pragma once

// The character attributes of the editor as typed values: those of the
// selection (or of the text typed next at the caret), of the default format, or
// of the selection widened to whole words. Every read and write goes straight
// to the control's character-format calls; nothing is cached. Without a control
// a read gives the value of an empty record and a write is dropped.

#include "platform/Font.h"
#include "platform/Persistent.h"
#include "editcontrol/RichEditTypes.h"
#include "platform/SysColor.h"

#include <QString>

class TZvCustomRichEdit;

enum class TAttributeType { atDefaultText, atSelected, atWord };

// Style bits of StyleFlags (the same as a font's).
using TZvStyleFlags = TFontStyles;

// ScriptPosition values.
enum TZvScriptPosition : int { spNormal = 0, spSubscript = 1, spSuperscript = 2 };

class TZvTextAttributes : public TPersistent
{
public:
    TZvTextAttributes(TZvCustomRichEdit& owner, TAttributeType type);

    QString ClassName() const override { return QStringLiteral("TZvTextAttributes"); }

    // From a TFont: face, size, style, colour, character set, pitch and weight in
    // one change. From other attributes: exactly the attributes the source
    // reports as uniform. Anything else: the cannot-assign error.
    void Assign(const TPersistent& source) override;

    QString FaceName() const;
    void setFaceName(const QString& value); // cut to 31 characters
    int PointSize() const;                  // whole points, truncated from twips
    void setPointSize(int value);
    // clWindowText when the text follows the window-text colour (automatic).
    TColor TextColor() const;
    void setTextColor(TColor value); // clWindowText or clDefault: automatic
    // clWindow when the text has no highlight (automatic background).
    TColor HighlightColor() const;
    void setHighlightColor(TColor value); // clWindow or clDefault: no highlight
    TZvStyleFlags StyleFlags() const;
    void setStyleFlags(TZvStyleFlags value); // always writes all four bits
    int ScriptPosition() const;              // TZvScriptPosition
    void setScriptPosition(int value);
    int Charset() const;
    void setCharset(int value);
    TFontPitch Pitch() const;
    void setPitch(TFontPitch) {} // the pitch follows the face; setting it changes nothing

protected:
    // Into a TFont: colour, name, character set, style, size and pitch, in that
    // order. Anything else: the cannot-assign error.
    void AssignTo(TPersistent& destination) const override;

private:
    CHARFORMAT2A read() const;
    void write(CHARFORMAT2A& record) const;
    void assignFont(const TFont& font);
    WPARAM messageArgument() const;

    TZvCustomRichEdit& m_owner;
    TAttributeType m_type;
};
