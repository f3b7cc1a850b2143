#include "standards/FtpSource.h"

#include "standards/PackageName.h"

#include <QIODevice>
#include <QUrl>

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace standards {
namespace {

constexpr long kConnectSeconds = 20;
constexpr long kStallSeconds = 60;

struct Transfer {
    TransferControl* control = nullptr;
    QIODevice* out = nullptr;   // the package, or null while listing
    QByteArray listing;         // the listing
    bool writeFailed = false;
};

size_t Write(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->control->Cancelled())
        return 0;
    if (!transfer->out) {
        transfer->listing.append(data, static_cast<qsizetype>(bytes));
        return bytes;
    }
    if (transfer->out->write(data, static_cast<qint64>(bytes)) != static_cast<qint64>(bytes)) {
        transfer->writeFailed = true;
        return 0;
    }
    return bytes;
}

int Progress(void* user, curl_off_t total, curl_off_t done, curl_off_t, curl_off_t)
{
    auto* transfer = static_cast<Transfer*>(user);
    transfer->control->Report(done, total);
    return transfer->control->Cancelled() ? 1 : 0;
}

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

using Easy = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;

// The folder the login opens, or a file in it.
QByteArray Url(const ServerSettings& settings, const QString& fileName)
{
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(settings.host);
    url.setPort(settings.port);
    url.setPath(u'/' + fileName);
    return url.toEncoded();
}

Easy Open(const ServerSettings& settings, const QString& fileName, Transfer& transfer, char* error)
{
    GlobalInit();
    Easy curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        return curl;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, Url(settings, fileName).constData());
    curl_easy_setopt(c, CURLOPT_USERNAME, settings.user.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, settings.password.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 1L);
    curl_easy_setopt(c, CURLOPT_FTPPORT, nullptr); // passive
    if (!settings.plainFtp) {
        curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
        if (!settings.caFile.isEmpty())
            curl_easy_setopt(c, CURLOPT_CAINFO, settings.caFile.toLocal8Bit().constData());
    }
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Write);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    return curl;
}

// The library's reason, without anything of the settings but the host.
QString Reason(CURLcode code, const char* error)
{
    const QString text = QString::fromUtf8(error).trimmed();
    return text.isEmpty() ? QString::fromUtf8(curl_easy_strerror(code)) : text;
}

} // namespace

PackageIssue FtpSource::List(QStringList& names, TransferControl& control)
{
    if (!settings_.Configured())
        return {TextNoServer, {}, {}};
    Transfer transfer{&control, nullptr, {}, false};
    char error[CURL_ERROR_SIZE] = {};
    Easy curl = Open(settings_, QString(), transfer, error);
    if (!curl)
        return {TextListFailed, settings_.host, QStringLiteral("libcurl")};
    curl_easy_setopt(curl.get(), CURLOPT_DIRLISTONLY, 1L);
    const CURLcode code = curl_easy_perform(curl.get());
    if (control.Cancelled())
        return {TextCancelled, {}, {}};
    if (code != CURLE_OK)
        return {TextListFailed, settings_.host, Reason(code, error)};
    names.clear();
    for (const QByteArray& line : transfer.listing.split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        if (!name.isEmpty())
            names << name;
    }
    return {};
}

PackageIssue FtpSource::Fetch(const QString& fileName, QIODevice& out, TransferControl& control)
{
    if (!settings_.Configured())
        return {TextNoServer, {}, {}};
    PackageName name;
    if (!ParsePackageName(fileName, name))
        return {TextNotAPackage, fileName, {}};
    Transfer transfer{&control, &out, {}, false};
    char error[CURL_ERROR_SIZE] = {};
    Easy curl = Open(settings_, fileName, transfer, error);
    if (!curl)
        return {TextFetchFailed, fileName, QStringLiteral("libcurl")};
    const CURLcode code = curl_easy_perform(curl.get());
    if (control.Cancelled())
        return {TextCancelled, fileName, {}};
    if (code != CURLE_OK)
        return {TextFetchFailed, fileName, transfer.writeFailed ? out.errorString() : Reason(code, error)};
    return {};
}

} // namespace standards
