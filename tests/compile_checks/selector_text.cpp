// Compiled, never run: a selector text with one ':' per parameter of its
// member compiles; with WRONG_COUNT, texts that disagree with their member
// must stop the compiler.
#include "platform/ObjCClass.h"
#include "platform/Selector.h"

class Page : public NSObject {
public:
    OBJC_CLASS_NAME(Page)
    std::shared_ptr<Page> init() { return self<Page>(); }
    void close() {}
    void share(const Value&) {}
    void setPreferenceValue_specifier(const Value&, const Value&) {}
};

const auto closeAction = Selector::of<&Page::close>("close");
const auto shareAction = Selector::of<&Page::share>("share:");
const auto storeAction = Selector::of<&Page::setPreferenceValue_specifier>("setPreferenceValue:specifier:");
const auto registration = ClassRegistration<Page, NSObject>().initializer<&Page::init>("init");

#ifdef WRONG_COUNT
const auto missingColon = Selector::of<&Page::share>("share");
const auto extraColon = Selector::of<&Page::close>("close:");
const auto oneOfTwo = Selector::of<&Page::setPreferenceValue_specifier>("setPreferenceValue:");
const auto wrongInitializer = ClassRegistration<Page, NSObject>().initializer<&Page::init>("initWithSpecifier:");
#endif
