// The application's title.
#pragma once

#include <QString>

// "Visual RVL": the caption of message boxes and the name of the application.
QString ApplicationTitle();
