#include "platform/random.h"

#include <QRandomGenerator>

namespace platform {

double randomNext()
{
    return QRandomGenerator::global()->generateDouble();
}

} // namespace platform
