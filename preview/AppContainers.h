#pragma once

#include <string>
#include <vector>

// Where the phone keeps apps and their data: each app's bundle in
// /var/containers/Bundle/Application/<UUID>/Name.app, its own files in
// /var/mobile/Containers/Data/Application/<UUID>/, the files an app group
// shares in /var/mobile/Containers/Shared/AppGroup/<UUID>/. The phone picks
// the UUIDs at random and records in each data container, in
// .com.apple.mobile_container_manager.metadata.plist, whose container it is.
// Here a UUID is derived from the identifier (a name-based UUID, version 5,
// of "bundle:<identifier>", "data:<identifier>" or "group:<identifier>" in the URL namespace), so an app installed again finds its values where it left them; a
// container placed by hand is found through its metadata file.
class AppContainers {
public:
    static constexpr const char* kBundleContainers = "/var/containers/Bundle/Application";
    static constexpr const char* kDataContainers = "/var/mobile/Containers/Data/Application";
    static constexpr const char* kGroupContainers = "/var/mobile/Containers/Shared/AppGroup";
    static constexpr const char* kMetadataFile = ".com.apple.mobile_container_manager.metadata.plist";
    static constexpr const char* kMetadataIdentifierKey = "MCMMetadataIdentifier";

    // The UUID the app's bundle container takes, upper case as the phone writes them.
    static std::string bundleUUIDFor(const std::string& identifier);
    // The device path of the app's data container (or the group's shared
    // one): the container whose metadata names it, else the derived one.
    static std::string dataContainerFor(const std::string& identifier);
    static std::string groupContainerFor(const std::string& groupIdentifier);
    // The defaults file of a domain inside a container:
    // <container>/Library/Preferences/<domain>.plist.
    static std::string defaultsFileIn(const std::string& container, const std::string& domain);
    // Makes the container and its Library/Preferences with the metadata file
    // naming `identifier`; false when that would leave the device root.
    static bool prepareContainer(const std::string& container, const std::string& identifier);
    // The property lists in Library/Preferences of every data and group container, sorted.
    static std::vector<std::string> presentDefaultsFiles();

private:
    static std::string containerFor(const char* directory, const std::string& kind, const std::string& identifier);
    static std::string nameBasedUUID(const std::string& name);
};
