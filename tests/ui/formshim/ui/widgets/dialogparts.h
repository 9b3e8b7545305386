// Until the widgets move to ui/widgets/, the stored forms find them here.
#pragma once
#include "ui/dialogparts.h"
