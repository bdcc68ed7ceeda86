#include "presentation/resources.h"

#include <QtGlobal>

static bool registerPictures()
{
    Q_INIT_RESOURCE(pictures);
    return true;
}

void initPresentationResources()
{
    static const bool registered = registerPictures();
    Q_UNUSED(registered);
}
