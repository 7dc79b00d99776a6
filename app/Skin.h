#pragma once
// The one skin of the application: a dark style sheet that frames the gauges.

#include <QString>

namespace dp {

QString ApplicationStyleSheet();

}  // namespace dp
