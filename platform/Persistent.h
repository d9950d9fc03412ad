#pragma once

// Objects whose value can be copied from and to other objects: a font, the
// character attributes of the editor. `Assign` copies from a source; a class
// that knows no way to take the source asks the source to copy itself into it
// (`AssignTo`), and when neither side knows the other the copy fails with the
// cannot-assign error.

#include <QString>

class TPersistent
{
public:
    virtual ~TPersistent() = default;

    // The class name that the cannot-assign error names.
    virtual QString ClassName() const = 0;

    // Copies the value of source into this object; throws EConvertError when
    // neither this object nor the source knows how.
    virtual void Assign(const TPersistent& source);

protected:
    // Copies this object's value into destination; the base throws EConvertError.
    virtual void AssignTo(TPersistent& destination) const;

    // The cannot-assign error, for classes that refuse a destination of their own.
    [[noreturn]] static void AssignError(const TPersistent* source, const TPersistent& destination);
};
