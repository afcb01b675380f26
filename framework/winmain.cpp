// The process entry of a framework program: hands over to the application
// object.
#include "framework/framework.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    return AfxWinMain(instance, commandLine, show);
}
