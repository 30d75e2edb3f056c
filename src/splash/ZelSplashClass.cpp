#include "splash/ZelSplashClass.h"
