#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// Where the update check asks and which device code it sends, from the optional "updater.config" beside the
// program (a JSON object with the string members "base_url", "update_url" and "device_code").
struct UpdateConfig {
    // The maker's update service. The host is a placeholder under the reserved ".example" domain, which
    // never resolves, so an unconfigured copy asks nobody until the maker's real host is filled in here or
    // in "updater.config".
    static constexpr const char* kDefaultUrl = "https://update.tidewell.example/client/version/check";
    static constexpr const char* kDefaultDeviceCode = "1";
    static constexpr const char* kFileName = "updater.config";

    QUrl url = QUrl(QString::fromLatin1(kDefaultUrl));
    QString deviceCode = QString::fromLatin1(kDefaultDeviceCode);

    // The defaults with the file's members applied in order: "base_url" (+ "/version/check"), then
    // "update_url", then "device_code". A value that is absent, empty or not a string is ignored, and so
    // is an address that is not an absolute http or https URL with a host and a device code holding
    // control characters (it would end up in a request header). Text that is not a JSON object leaves all
    // defaults.
    static UpdateConfig fromJson(const QByteArray& json);

    // fromJson of <appDir>/updater.config, or the defaults when the file cannot be read.
    static UpdateConfig load(const QString& appDir);
};
