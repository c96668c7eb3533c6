#include "ui/dialogs/AgreementText.h"

// Line breaks and the trailing blanks are part of the text.
QString agreementHtml()
{
    return QStringLiteral(
        "\n"
        "<p><b>一、协议主体与生效规则</b><br>\n"
        "本协议是您与“Brightdesk”工具之间的法律协议...</p>\n"
        "\n"
        "<p><b>二、安全与隐私承诺</b><br>\n"
        "本工具仅清理系统与软件自动生成的临时缓存文件，<b>绝不扫描、读取、"
        "删除您的个人文件与隐私数据</b>，所有操作日志仅保存在您的U盘本地，不上传任何信息。</p>\n"
        "\n"
        "<p><b>三、免责声明</b><br>\n"
        "本工具为免费工具，因硬件故障、第三方软件干扰、用户自行修改系统、异常操作导致的损失，"
        "不承担责任。实际效果因电脑配置、使用环境而异。</p>\n"
        "\n"
        "<p>更多详细条款请访问...</p>\n"
        "    ");
}
