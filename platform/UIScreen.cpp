#include "platform/UIScreen.h"

std::shared_ptr<UIScreen> UIScreen::mainScreen() {
    static auto screen = alloc<UIScreen>();
    return screen;
}
