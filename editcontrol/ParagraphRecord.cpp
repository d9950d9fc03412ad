#include "editcontrol/ParagraphRecord.h"

ParagraphRecord* ParagraphRecord::find(const QTextBlock& block)
{
    return dynamic_cast<ParagraphRecord*>(block.userData());
}

ParagraphRecord& ParagraphRecord::of(QTextBlock block)
{
    auto* record = dynamic_cast<ParagraphRecord*>(block.userData());
    if (!record) {
        record = new ParagraphRecord;
        block.setUserData(record);
    }
    return *record;
}
