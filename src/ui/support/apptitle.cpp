#include "ui/support/apptitle.h"

QString ApplicationTitle() { return QStringLiteral("Visual RVL"); }
