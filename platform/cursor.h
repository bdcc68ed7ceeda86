#pragma once
#include <QCursor>

// "kruis1": a 32 x 32 cross over the whole pointer with short bars at the four
// ends, hot spot (16, 16). The local scale refers to its 32-pixel arms.
const QCursor& crossCursor();
