// The images window: the user and profile, the scope switch with the
// procedure's name, " Change image", and on a sheet without tab headings the
// image list with its preview and the buttons that change it.
#pragma once

#include "platform/data/Queue.h"
#include "platform/text/Text.h"
#include "platform/ui/WindowSpec.h"
#include "restyle/RestyleRows.h"
#include "restyle/ZelRestyleClass.h"

struct ConfigureImagesLocals {
    platform::String<255> USER;
    platform::CString<256> PROFILE;
    platform::Byte SCOPE = 1;  // the option: 1 global, 2 this procedure
    IMAGEPROPERTYGROUPRecord IMAGEPROPERTYGROUP;
    platform::Queue<IMAGEQUEUERecord> IMAGES;
};

platform::WindowSpec P36_CONFIGUREWINDOW(ConfigureImagesLocals& locals, platform::CString<81>& procedureName);
