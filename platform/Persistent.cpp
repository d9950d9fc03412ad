#include "platform/Persistent.h"

#include "platform/ZvExceptions.h"

void TPersistent::Assign(const TPersistent& source)
{
    source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& destination) const
{
    AssignError(this, destination);
}

void TPersistent::AssignError(const TPersistent* source, const TPersistent& destination)
{
    const QString sourceName = source ? source->ClassName() : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Nelze přiřadit %1 do %2").arg(sourceName, destination.ClassName()));
}
