#include "Core/TabSession.h"

QUuid TabSession::defaultValue()
{
    static const QUuid value = QUuid::createUuid();
    return value;
}
