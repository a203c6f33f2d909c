// The saver's entry point: the application object does the rest.
#include <windows.h>

#include "app/SaverApp.h"

namespace {

CSaverApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return theApp.RunApplication(instance, commandLine);
}
