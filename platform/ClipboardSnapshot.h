#pragma once

// A copy of what the clipboard holds, every format of it, taken when the
// snapshot is made, to be put back later: a command that has to go through
// the clipboard then leaves the user's copied content as it was.

#include <QMimeData>

#include <memory>

// Clipboard data that holds more than its formats give out, such as an editor's
// own selection with its document fragment; a snapshot keeps a whole copy of it.
class CopyableMimeData : public QMimeData
{
    Q_OBJECT
public:
    // The same contents, without the dynamic properties.
    virtual CopyableMimeData* clone() const = 0;
};

class ClipboardSnapshot
{
public:
    ClipboardSnapshot();
    ~ClipboardSnapshot();

    // Puts the copy on the clipboard; an empty clipboard is cleared again.
    void restore() const;

private:
    std::unique_ptr<QMimeData> m_data; // none: the clipboard was empty
};
