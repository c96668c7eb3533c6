#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// Where the update check asks, which device code it sends and which key signs the releases, from the optional
// "updater.config" beside the program (a JSON object with the string members "base_url", "update_url",
// "device_code" and "public_key").
struct UpdateConfig {
    // The maker's update service. The host is a placeholder under the reserved ".example" domain, which
    // never resolves, so an unconfigured copy asks nobody until the maker's real host is filled in here or
    // in "updater.config".
    static constexpr const char* kDefaultUrl = "https://update.tidewell.example/client/version/check";
    static constexpr const char* kDefaultDeviceCode = "1";
    static constexpr const char* kFileName = "updater.config";
    // The public half of the maker's release key (P-256, uncompressed point, base64). The private half
    // never enters the source tree; scripts/publish-release.sh reads it from a file of the maker's.
    static constexpr const char* kDefaultPublicKey =
        "BNf52LdbmqI7QNRb7f+xg+PosEb32z1tmyynXl30OEgPYkzvXm6jtemT4G8tAn7qYKDbN62DPHk0UEDSstsQjes=";

    QUrl url = QUrl(QString::fromLatin1(kDefaultUrl));
    QString deviceCode = QString::fromLatin1(kDefaultDeviceCode);
    // The 65 raw bytes of the key the release manifest must be signed with.
    QByteArray publicKey = QByteArray::fromBase64(kDefaultPublicKey);

    // The defaults with the file's members applied in order: "base_url" (+ "/version/check"), then
    // "update_url", then "device_code", then "public_key". A value that is absent, empty or not a string is
    // ignored, and so is an address that is not an absolute http or https URL with a host, a device code
    // holding control characters (it would end up in a request header) and a key that is not the base64
    // of a 65-byte uncompressed point. Text that is not a JSON object leaves all defaults.
    static UpdateConfig fromJson(const QByteArray& json);

    // fromJson of <appDir>/updater.config, or the defaults when the file cannot be read.
    static UpdateConfig load(const QString& appDir);
};
