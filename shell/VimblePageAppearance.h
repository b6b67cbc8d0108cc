#pragma once

#include "platform/NSTimer.h"
#include "platform/UIApplication.h"
#include "platform/UIImageView.h"
#include "platform/UIWindow.h"
#include "shell/VimbleFiles.h"
#include "shell/getColorFromHex.h"

#include <memory>

// The look every page of the panel shares: while a page is on screen the key
// window takes the panel's grey-blue tint, and half a second after the page
// loads, the small title icon in its navigation bar fades in.
//
// A page class derives from VimblePageAppearance<ItsHostBase>; a page that
// does more in its viewDidLoad calls this one's first.
template <typename Base>
class VimblePageAppearance : public Base {
public:
    static constexpr const char* kTintColor = "#A5B3CE";
    static constexpr const char* kTitleIconFormat = "%@Branding - Small.png";
    static constexpr double kFadeInDelay = 0.5;
    static constexpr double kFadeInDuration = 0.5;

    // The window whose tint the page changed; a plain reference, the page
    // does not own the window.
    std::weak_ptr<UIWindow> settingsView;

    void viewWillAppear(bool animated) override {
        settingsView = UIApplication::sharedApplication()->keyWindow();
        if (auto window = settingsView.lock()) window->setTintColor(getColorFromHex(kTintColor));
        Base::viewWillAppear(animated);
    }

    void viewWillDisappear(bool animated) override {
        Base::viewWillDisappear(animated);
        if (auto window = settingsView.lock()) window->setTintColor(nullptr);
    }

    // The timer's action. The animation keeps the page until it has run.
    void increaseAlpha() {
        auto page = this->template self<UIViewController>();
        UIView::animateWithDuration_animations_completion(
            kFadeInDuration,
            [page] {
                if (auto titleView = page->navigationItem()->titleView()) titleView->setAlpha(1);
            },
            nullptr);
    }

    // The title icon goes in, hidden, before the base loads the page, and
    // fades in once the page has loaded.
    void viewDidLoad() override {
        installHiddenTitleIcon();
        Base::viewDidLoad();
        // The run loop keeps the timer, and the timer the page, until it fires.
        NSTimer::scheduledTimerWithTimeInterval_target_selector_userInfo_repeats(
            kFadeInDelay, this->template self<NSObject>(),
            Selector::of<&VimblePageAppearance::increaseAlpha>("increaseAlpha"), Value(), /*repeats=*/false);
    }

private:
    void installHiddenTitleIcon() {
        std::string path = VimbleFiles::imagePath(kTitleIconFormat);
        auto icon = alloc<UIImageView>()->initWithFrame(CGRectMake(0, 0, 30, 30));
        icon->setImage(UIImage::imageWithContentsOfFile(path));
        icon->setContentMode(UIViewContentMode::ScaleAspectFit);
        this->navigationItem()->setTitleView(icon);
        this->navigationItem()->titleView()->setAlpha(0);
    }
};
