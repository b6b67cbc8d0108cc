#include "host/PSViewController.h"

#include "platform/ObjCClass.h"

namespace {
const auto registration =
    ClassRegistration<PSViewController, UIViewController>().initializer<&PSViewController::init>("init");
}

std::shared_ptr<PSViewController> PSViewController::init() {
    UIViewController::init();
    return self<PSViewController>();
}
