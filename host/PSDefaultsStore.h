#pragma once

#include "platform/Value.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// One preferences domain's file, /var/mobile/Library/Preferences/<domain>.plist,
// where Preferences keeps a row's value and the add-on reads it back. Nothing
// is cached: every read goes to the file, because the add-on writes the same
// file on its own. Every write reads the file, sets its keys over what it
// holds and replaces it whole and atomically (PropertyList), so every other
// key stays.
class PSDefaultsStore {
public:
    // The store of `domain`; one whose domain is empty or holds a "/" has no
    // file: it reads nothing and writes nothing, and logs each key it was given.
    static PSDefaultsStore forDomain(const std::string& domain);
    // The store of the file at a device path.
    explicit PSDefaultsStore(std::string path) : _path(std::move(path)) {}

    static std::string pathForDomain(const std::string& domain);

    const std::string& path() const { return _path; }
    bool hasFile() const { return !_path.empty(); }

    // The whole dictionary, or nullptr when the file is missing, unreadable or
    // holds something else: quietly, since a row shows its default then, as
    // on the phone.
    std::shared_ptr<ValueDictionary> dictionary() const;
    // The value kept under `key`; nil when there is none.
    Value valueForKey(const std::string& key) const;
    // False when the file could not be replaced; the old file is then whole.
    bool setValueForKey(const Value& value, const std::string& key) const;
    // The keys are set in order over whatever the file holds (an empty
    // dictionary when it holds none).
    bool setValuesForKeys(const std::vector<std::pair<std::string, Value>>& values) const;

private:
    std::string _path;
};
