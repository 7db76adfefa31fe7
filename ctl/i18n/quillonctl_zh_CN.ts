<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AdapterVerdict</name>
    <message>
        <source>virtual adapter (VirtualBox)</source>
        <translation>虚拟网卡（VirtualBox）</translation>
    </message>
    <message>
        <source>virtual adapter (VMware)</source>
        <translation>虚拟网卡（VMware）</translation>
    </message>
    <message>
        <source>virtual adapter (VMware host-only)</source>
        <translation>虚拟网卡（VMware 仅主机）</translation>
    </message>
    <message>
        <source>loopback</source>
        <translation>回环</translation>
    </message>
    <message>
        <source>point-to-point link</source>
        <translation>点对点链路</translation>
    </message>
    <message>
        <source>neither Ethernet nor Wi-Fi</source>
        <translation>既不是以太网也不是 Wi-Fi</translation>
    </message>
    <message>
        <source>not up</source>
        <translation>未启用</translation>
    </message>
    <message>
        <source>not running</source>
        <translation>未运行</translation>
    </message>
    <message>
        <source>cannot broadcast</source>
        <translation>不支持广播</translation>
    </message>
    <message>
        <source>cannot multicast</source>
        <translation>不支持组播</translation>
    </message>
    <message>
        <source>no IPv4 address</source>
        <translation>没有 IPv4 地址</translation>
    </message>
</context>
<context>
    <name>Ctl</name>
    <message>
        <source>--adapter: no adapter is named or has the address &quot;%1&quot; (adapters: %2)</source>
        <translation>--adapter：没有名为或地址为“%1”的网卡（现有网卡：%2）</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not an IPv4 address; write four numbers such as 192.168.0.10</source>
        <translation>%1：“%2”不是 IPv4 地址；请写四个数，如 192.168.0.10</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot;: part %3 (&quot;%4&quot;) is not a number from 0 to 255</source>
        <translation>%1：“%2”：第 %3 段（“%4”）不是 0 到 255 的数</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot;: part %3 (%4) is above 255</source>
        <translation>%1：“%2”：第 %3 段（%4）大于 255</translation>
    </message>
    <message>
        <source>%1: %2 cannot be a device&apos;s address (empty, loopback, multicast or broadcast)</source>
        <translation>%1：%2 不能作为设备地址（空地址、回环、组播或广播）</translation>
    </message>
    <message>
        <source>%1: %2 is not a subnet mask (ones followed by zeros, such as 255.255.255.0)</source>
        <translation>%1：%2 不是子网掩码（应为连续的 1 后接 0，如 255.255.255.0）</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a port; write a number from 1 to 65535</source>
        <translation>%1：“%2”不是端口号；请写 1 到 65535 的数</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number from %3 to %4</source>
        <translation>%1：“%2”不是 %3 到 %4 的数</translation>
    </message>
    <message>
        <source>%1: %2 bytes long in UTF-8; this device&apos;s login carries at most %3</source>
        <translation>%1：UTF-8 编码长 %2 字节；该设备的登录最多只能携带 %3 字节</translation>
    </message>
    <message>
        <source>%1: %2 bytes long in UTF-8; no device takes more than %3</source>
        <translation>%1：UTF-8 编码长 %2 字节；任何设备都不接受超过 %3 字节</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a MAC address; write six hexadecimal pairs such as 00:1A:2B:3C:4D:5E</source>
        <translation>%1：“%2”不是 MAC 地址；请写六组十六进制数，如 00:1A:2B:3C:4D:5E</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is a group or empty MAC address, which no device has</source>
        <translation>%1：“%2”是组播或全零 MAC 地址，没有设备使用这样的地址</translation>
    </message>
    <message>
        <source>No adapter to search through.
</source>
        <translation>没有可用于搜索的网卡。
</translation>
    </message>
    <message>
        <source>Connect the adapter the devices are on, or name one with --adapter; &quot;quillonctl doctor&quot; tells more.
</source>
        <translation>请连接设备所在网络的网卡，或用 --adapter 指定网卡；“quillonctl doctor”可提供更多信息。
</translation>
    </message>
    <message>
        <source>Change many devices at once, from a plan file or an address range, and confirm each.</source>
        <translation>按计划文件或地址范围一次修改多台设备，并逐台确认。</translation>
    </message>
    <message>
        <source>A plan file (columns: %1), or with --start-ip the devices&apos; MACs in the order their addresses are handed out.</source>
        <translation>计划文件（列：%1），或配合 --start-ip 按分配地址的顺序给出设备的 MAC。</translation>
    </message>
    <message>
        <source>Give the devices named addresses from this one on.</source>
        <translation>从此地址起依次为所列设备分配地址。</translation>
    </message>
    <message>
        <source>Addresses this far apart (default 1).</source>
        <translation>相邻地址的间隔（默认 1）。</translation>
    </message>
    <message>
        <source>Also write the results to this JSON file.</source>
        <translation>同时将结果写入此 JSON 文件。</translation>
    </message>
    <message>
        <source>give a plan file, or --start-ip and the devices&apos; MACs</source>
        <translation>请给出计划文件，或 --start-ip 及设备的 MAC</translation>
    </message>
    <message>
        <source>give one plan file, or --start-ip with several MACs</source>
        <translation>请给出一个计划文件，或 --start-ip 加多个 MAC</translation>
    </message>
    <message>
        <source>the plan cannot be sent:
  %1</source>
        <translation>计划无法执行：
  %1</translation>
    </message>
    <message>
        <source>--report: cannot write into the folder of %1</source>
        <translation>--report：无法写入 %1 所在的文件夹</translation>
    </message>
    <message>
        <source>MAC %1: %2 is named twice</source>
        <translation>第 %1 个 MAC：%2 重复出现</translation>
    </message>
    <message>
        <source>--%1 goes with --start-ip; a plan file sets each device in its own row</source>
        <translation>--%1 须与 --start-ip 一起使用；计划文件在各设备的行中设置</translation>
    </message>
    <message>
        <source>%1: cannot read the plan: %2</source>
        <translation>%1：无法读取计划：%2</translation>
    </message>
    <message>
        <source>%1: the plan is larger than %2 bytes</source>
        <translation>%1：计划文件超过 %2 字节</translation>
    </message>
    <message>
        <source>The plan cannot be sent; nothing was sent to any device:
  %1</source>
        <translation>计划无法执行；未向任何设备发送数据：
  %1</translation>
    </message>
    <message>
        <source>did not answer the search; nothing sent</source>
        <translation>未响应搜索；未发送任何数据</translation>
    </message>
    <message>
        <source>devices, %1 not done</source>
        <translation>台设备，%1 台未完成</translation>
    </message>
    <message>
        <source>Cannot write the report %1: %2
</source>
        <translation>无法写入报告 %1：%2
</translation>
    </message>
    <message>
        <source>%1 does not fit its trade</source>
        <translation>%1 超出交易字段的范围</translation>
    </message>
    <message>
        <source>already as asked; nothing sent</source>
        <translation>已是所要求的设置；未发送任何数据</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>被拒绝：%1</translation>
    </message>
    <message>
        <source>timed out: %1</source>
        <translation>超时：%1</translation>
    </message>
    <message>
        <source>%1 trades not sent</source>
        <translation>%1 个交易未发送</translation>
    </message>
    <message>
        <source>not seen again within %1 ms</source>
        <translation>%1 毫秒内未再次出现</translation>
    </message>
    <message>
        <source>last seen at %1 port %2</source>
        <translation>最后出现在 %1 端口 %2</translation>
    </message>
    <message>
        <source>answers with %1</source>
        <translation>应答中为 %1</translation>
    </message>
    <message>
        <source>answers at %1 port %2</source>
        <translation>在 %1 端口 %2 应答</translation>
    </message>
    <message>
        <source>List the devices that answer, through every adapter that qualifies.</source>
        <translation>通过所有符合条件的网卡列出应答的设备。</translation>
    </message>
    <message>
        <source>List only the device at this address; the probe is also sent straight to it.</source>
        <translation>只列出此地址的设备；探测包也直接发往该地址。</translation>
    </message>
    <message>
        <source>table (default, for people), json or csv (for scripts).</source>
        <translation>table（默认，供人阅读）、json 或 csv（供脚本使用）。</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>多余的参数“%1”</translation>
    </message>
    <message>
        <source>No device answered through %1.</source>
        <translation>通过 %1 没有设备应答。</translation>
    </message>
    <message>
        <source>Search only through this adapter (name or IPv4 address), even one that does not qualify; may be given more than once.</source>
        <translation>只通过此网卡搜索（名称或 IPv4 地址），即使它不符合条件；可多次给出。</translation>
    </message>
    <message>
        <source>Search through every adapter that is up and has an IPv4 address, virtual and VPN adapters included.</source>
        <translation>通过所有已启用且有 IPv4 地址的网卡搜索，包括虚拟网卡和 VPN 网卡。</translation>
    </message>
    <message>
        <source>Listen for replies this long after the last probe (default %1).</source>
        <translation>最后一次探测后等待应答的时间（默认 %1）。</translation>
    </message>
    <message>
        <source>Send the probes this many times, 300 ms apart, against lost replies (default %1).</source>
        <translation>探测发送的次数，间隔 300 毫秒，以防应答丢失（默认 %1）。</translation>
    </message>
    <message>
        <source>Probe the subnet-directed broadcast address of each adapter as well.</source>
        <translation>同时探测每个网卡所在子网的定向广播地址。</translation>
    </message>
    <message>
        <source>--adapter and --all-adapters exclude each other</source>
        <translation>--adapter 与 --all-adapters 不能同时使用</translation>
    </message>
    <message>
        <source>firewall</source>
        <translation>防火墙</translation>
    </message>
    <message>
        <source>%1: the rules could not be read: %2</source>
        <translation>%1：无法读取规则：%2</translation>
    </message>
    <message>
        <source>Run quillonctl doctor as root to have them checked.</source>
        <translation>请以 root 身份运行 quillonctl doctor 以检查规则。</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>note</source>
        <translation>注意</translation>
    </message>
    <message>
        <source>problem</source>
        <translation>问题</translation>
    </message>
    <message>
        <source>Find out why no device answers: adapters, port, firewall, routes, then a probe on each adapter.</source>
        <translation>查找没有设备应答的原因：网卡、端口、防火墙、路由，然后在每个网卡上探测。</translation>
    </message>
    <message>
        <source>No probe was sent: no adapter could listen for replies.</source>
        <translation>未发送探测：没有网卡能够接收应答。</translation>
    </message>
    <message>
        <source>Probing through %1 adapter(s) ...
</source>
        <translation>正在通过 %1 个网卡探测……
</translation>
    </message>
    <message>
        <source>adapter %1</source>
        <translation>网卡 %1</translation>
    </message>
    <message>
        <source>%1/%2 qualifies</source>
        <translation>%1/%2 符合条件</translation>
    </message>
    <message>
        <source>does not qualify: %1</source>
        <translation>不符合条件：%1</translation>
    </message>
    <message>
        <source>If the devices are on it, search through it anyway: --adapter %1</source>
        <translation>如果设备在此网卡所在网络，可强制通过它搜索：--adapter %1</translation>
    </message>
    <message>
        <source> (searched through it as asked)</source>
        <translation>（已按要求通过它搜索）</translation>
    </message>
    <message>
        <source>adapters</source>
        <translation>网卡</translation>
    </message>
    <message>
        <source>no adapter to search through</source>
        <translation>没有可用于搜索的网卡</translation>
    </message>
    <message>
        <source>Connect the adapter the devices are on and give it an IPv4 address.</source>
        <translation>请连接设备所在网络的网卡，并为其设置 IPv4 地址。</translation>
    </message>
    <message>
        <source>neither nft nor iptables-save is installed; the rules were not checked</source>
        <translation>未安装 nft 或 iptables-save；未检查防火墙规则</translation>
    </message>
    <message>
        <source>no rule drops UDP datagrams to port %1</source>
        <translation>没有规则丢弃发往端口 %1 的 UDP 数据报</translation>
    </message>
    <message>
        <source>probe %1</source>
        <translation>探测 %1</translation>
    </message>
    <message>
        <source>%1 device(s) answered, %2 replies</source>
        <translation>%1 台设备应答，共 %2 个应答</translation>
    </message>
    <message>
        <source>probe</source>
        <translation>探测</translation>
    </message>
    <message>
        <source>no device answered</source>
        <translation>没有设备应答</translation>
    </message>
    <message>
        <source>Check that the devices are powered and cabled to this adapter&apos;s network, and the problems above.</source>
        <translation>请检查设备是否通电、是否接入此网卡所在的网络，并处理上面列出的问题。</translation>
    </message>
    <message>
        <source>line %1, %2</source>
        <translation>第 %1 行，%2</translation>
    </message>
    <message>
        <source>Wait this long for each trade&apos;s answer (default %1, as the window).</source>
        <translation>每个交易等待应答的时间（默认 %1，与窗口程序相同）。</translation>
    </message>
    <message>
        <source>Wait this long for the device to answer with its new settings (default %1).</source>
        <translation>等待设备以新设置应答的时间（默认 %1）。</translation>
    </message>
    <message>
        <source>Cannot listen for replies:
%1&quot;quillonctl doctor&quot; shows which program holds the port.
</source>
        <translation>无法接收应答：
%1“quillonctl doctor”可显示占用端口的程序。
</translation>
    </message>
    <message>
        <source>Change one device&apos;s network settings, then confirm that it answers with them.</source>
        <translation>修改一台设备的网络设置，并确认它以新设置应答。</translation>
    </message>
    <message>
        <source>The device, by its MAC address.</source>
        <translation>设备的 MAC 地址。</translation>
    </message>
    <message>
        <source>give exactly one MAC address</source>
        <translation>请给出且只给出一个 MAC 地址</translation>
    </message>
    <message>
        <source>nothing to change: give at least one of --ip, --port, --mask, --gateway, --server, --server-port</source>
        <translation>没有要修改的内容：请至少给出 --ip、--port、--mask、--gateway、--server、--server-port 之一</translation>
    </message>
    <message>
        <source>No device with MAC %1 answered; nothing was sent to it.</source>
        <translation>MAC 为 %1 的设备没有应答；未向它发送任何数据。</translation>
    </message>
    <message>
        <source>
Nothing was sent to the device.</source>
        <translation>
未向设备发送任何数据。</translation>
    </message>
    <message>
        <source>%1 (%2) at %3 port %4, through %5
</source>
        <translation>%1（%2）位于 %3 端口 %4，经由 %5
</translation>
    </message>
    <message>
        <source>  confirming: waiting for the device to answer as asked
</source>
        <translation>  确认中：等待设备以所要求的设置应答
</translation>
    </message>
    <message>
        <source>Confirmed: %1 %2.
</source>
        <translation>已确认：%1 %2。
</translation>
    </message>
    <message>
        <source>%1 is %2.
</source>
        <translation>%1 %2。
</translation>
    </message>
    <message>
        <source>Failed: %1 %2.</source>
        <translation>失败：%1 %2。</translation>
    </message>
    <message>
        <source>Not confirmed: every trade was accepted, but %1 %2.</source>
        <translation>未确认：所有交易均已接受，但 %1 %2。</translation>
    </message>
    <message>
        <source>The device&apos;s new IPv4 address.</source>
        <translation>设备的新 IPv4 地址。</translation>
    </message>
    <message>
        <source>The device&apos;s new port (1 to 65535).</source>
        <translation>设备的新端口号（1 到 65535）。</translation>
    </message>
    <message>
        <source>The new subnet mask.</source>
        <translation>新的子网掩码。</translation>
    </message>
    <message>
        <source>The new default gateway.</source>
        <translation>新的默认网关。</translation>
    </message>
    <message>
        <source>The new address of the server the device reports to.</source>
        <translation>设备上报的服务器的新地址。</translation>
    </message>
    <message>
        <source>The new port of that server.</source>
        <translation>该服务器的新端口号。</translation>
    </message>
    <message>
        <source>User name of the device&apos;s login (default: as the window fills it in).</source>
        <translation>设备登录的用户名（默认与窗口程序填入的相同）。</translation>
    </message>
    <message>
        <source>Password of the device&apos;s login.</source>
        <translation>设备登录的密码。</translation>
    </message>
    <message>
        <source>Read the password from the first line of this file instead.</source>
        <translation>改为从此文件的第一行读取密码。</translation>
    </message>
    <message>
        <source>--password and --password-file exclude each other</source>
        <translation>--password 与 --password-file 不能同时使用</translation>
    </message>
    <message>
        <source>--password-file: cannot read %1: %2</source>
        <translation>--password-file：无法读取 %1：%2</translation>
    </message>
    <message>
        <source>give --user together with --password or --password-file</source>
        <translation>--user 须与 --password 或 --password-file 一起给出</translation>
    </message>
    <message>
        <source>accepted</source>
        <translation>已接受</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>被拒绝</translation>
    </message>
    <message>
        <source>timed out</source>
        <translation>超时</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>等待中</translation>
    </message>
    <message>
        <source>Read or set a device&apos;s date, time and NTP server, or upload firmware, over its web interface.</source>
        <translation>通过设备的网页接口读取或设置日期、时间和 NTP 服务器，或上传固件。</translation>
    </message>
    <message>
        <source>datetime: show the device&apos;s date, time and NTP server, or set them; upload FILE: upload a firmware file.</source>
        <translation>datetime：显示或设置设备的日期、时间和 NTP 服务器；upload 文件：上传固件文件。</translation>
    </message>
    <message>
        <source>Set the device&apos;s clock to this local time.</source>
        <translation>将设备时钟设为此本地时间。</translation>
    </message>
    <message>
        <source>Set the device&apos;s clock to this PC&apos;s.</source>
        <translation>将设备时钟设为与本电脑一致。</translation>
    </message>
    <message>
        <source>Let the device synchronise its clock with this NTP server.</source>
        <translation>让设备与此 NTP 服务器同步时钟。</translation>
    </message>
    <message>
        <source>Turn the device&apos;s NTP synchronisation off.</source>
        <translation>关闭设备的 NTP 校时。</translation>
    </message>
    <message>
        <source>Wait this long for each command&apos;s answer (default %1, as the window).</source>
        <translation>每个命令等待应答的时间（默认 %1，与窗口程序相同）。</translation>
    </message>
    <message>
        <source>give a MAC address and datetime or upload</source>
        <translation>请给出 MAC 地址以及 datetime 或 upload</translation>
    </message>
    <message>
        <source>upload takes one firmware file</source>
        <translation>upload 需要一个固件文件</translation>
    </message>
    <message>
        <source>--set, --sync-pc, --ntp and --no-ntp go with datetime</source>
        <translation>--set、--sync-pc、--ntp 和 --no-ntp 须与 datetime 一起使用</translation>
    </message>
    <message>
        <source>FILE: cannot read %1</source>
        <translation>文件：无法读取 %1</translation>
    </message>
    <message>
        <source>--set and --sync-pc exclude each other</source>
        <translation>--set 与 --sync-pc 不能同时使用</translation>
    </message>
    <message>
        <source>--ntp and --no-ntp exclude each other</source>
        <translation>--ntp 与 --no-ntp 不能同时使用</translation>
    </message>
    <message>
        <source>--set: &quot;%1&quot; is not a date and time such as 2026-12-07 08:30:00</source>
        <translation>--set：“%1”不是日期时间，格式如 2026-12-07 08:30:00</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is neither datetime nor upload</source>
        <translation>“%1”既不是 datetime 也不是 upload</translation>
    </message>
    <message>
        <source>%1 has no web interface (its firmware text &quot;%2&quot; is shorter than %3 characters); nothing was sent to it.</source>
        <translation>%1 没有网页接口（固件文本“%2”短于 %3 个字符）；未向它发送任何数据。</translation>
    </message>
    <message>
        <source>%1 is an older fingerprint reader, which takes only firmware uploads; nothing was sent to it.</source>
        <translation>%1 是旧型号指纹机，只支持上传固件；未向它发送任何数据。</translation>
    </message>
    <message>
        <source>%1 at %2
</source>
        <translation>%1 位于 %2
</translation>
    </message>
    <message>
        <source>the device refused the user name or password</source>
        <translation>设备拒绝了用户名或密码</translation>
    </message>
    <message>
        <source>the device refused the login (it answered &quot;relogin&quot;)</source>
        <translation>设备拒绝登录（应答为“relogin”）</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 失败：%2</translation>
    </message>
    <message>
        <source>%1 was not accepted in time</source>
        <translation>%1 未在规定时间内被接受</translation>
    </message>
    <message>
        <source>the sequence ended early</source>
        <translation>命令序列提前结束</translation>
    </message>
    <message>
        <source>Failed: %1.</source>
        <translation>失败：%1。</translation>
    </message>
    <message>
        <source>Failed: the device did not report its date and time.</source>
        <translation>失败：设备未报告其日期和时间。</translation>
    </message>
    <message>
        <source>Date and time: %1
</source>
        <translation>日期时间：%1
</translation>
    </message>
    <message>
        <source>NTP: on, server %1
</source>
        <translation>NTP：启用，服务器 %1
</translation>
    </message>
    <message>
        <source>NTP: off
</source>
        <translation>NTP：关闭
</translation>
    </message>
    <message>
        <source>Set: %1, NTP %2
</source>
        <translation>已设置：%1，NTP %2
</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>on, server %1</source>
        <translation>启用，服务器 %1</translation>
    </message>
    <message>
        <source>Not confirmed: the device accepted the settings but now shows %1, NTP %2.</source>
        <translation>未确认：设备接受了设置，但现在显示 %1，NTP %2。</translation>
    </message>
    <message>
        <source>Confirmed: the device shows %1, NTP %2.
</source>
        <translation>已确认：设备显示 %1，NTP %2。
</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>字节</translation>
    </message>
    <message>
        <source>Uploaded %1 (%2 bytes); the device accepted it.
</source>
        <translation>已上传 %1（%2 字节）；设备已接受。
</translation>
    </message>
    <message>
        <source>Usage: quillonctl COMMAND [OPTIONS]
Finds networked access-control devices on this PC&apos;s adapters and changes their settings.

Commands:
</source>
        <translation>用法：quillonctl 命令 [选项]
通过本电脑的网卡查找联网门禁设备并修改其设置。

命令：
</translation>
    </message>
    <message>
        <source>
&quot;quillonctl COMMAND --help&quot; shows a command&apos;s options; &quot;man quillonctl&quot; the whole manual, with the exit codes.
&quot;quillonctl --version&quot; shows the version.
</source>
        <translation>
“quillonctl 命令 --help”显示命令的选项；“man quillonctl”显示完整手册及退出码。
“quillonctl --version”显示版本。
</translation>
    </message>
    <message>
        <source>quillonctl %1: %2
Try &quot;quillonctl %1 --help&quot;.
</source>
        <translation>quillonctl %1：%2
请参阅“quillonctl %1 --help”。
</translation>
    </message>
    <message>
        <source>The command.</source>
        <translation>命令。</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>显示本帮助。</translation>
    </message>
    <message>
        <source>Show the engine&apos;s diagnostic messages on standard error.</source>
        <translation>在标准错误输出上显示引擎的诊断信息。</translation>
    </message>
    <message>
        <source>quillonctl: unknown command &quot;%1&quot;

</source>
        <translation>quillonctl：未知命令“%1”

</translation>
    </message>
    <message>
        <source>%1: chain %2 drops UDP datagrams to port %3: %4</source>
        <translation>%1：链 %2 丢弃发往端口 %3 的 UDP 数据报：%4</translation>
    </message>
    <message>
        <source>%1: chain %2 drops UDP datagrams to port %3 when %4: %5</source>
        <translation>%1：当%4时，链 %2 丢弃发往端口 %3 的 UDP 数据报：%5</translation>
    </message>
    <message>
        <source> and </source>
        <translation>且</translation>
    </message>
    <message>
        <source>Remove the rule, or accept the replies before it: %1</source>
        <translation>删除该规则，或在它之前放行应答：%1</translation>
    </message>
    <message>
        <source>%1: chain %2 drops what it does not accept, and accepts UDP to port %3 only in some cases</source>
        <translation>%1：链 %2 丢弃未放行的数据，而发往端口 %3 的 UDP 只在部分情况下放行</translation>
    </message>
    <message>
        <source>%1: chain %2 drops what it does not accept, and nothing accepts UDP to port %3</source>
        <translation>%1：链 %2 丢弃未放行的数据，而没有规则放行发往端口 %3 的 UDP</translation>
    </message>
    <message>
        <source>Accept the replies: %1</source>
        <translation>放行应答：%1</translation>
    </message>
    <message>
        <source>the source port is not %1</source>
        <translation>源端口不是 %1</translation>
    </message>
    <message>
        <source>the source port is %1</source>
        <translation>源端口是 %1</translation>
    </message>
    <message>
        <source>it arrives on another interface than %1</source>
        <translation>数据从 %1 以外的接口到达</translation>
    </message>
    <message>
        <source>it arrives on %1</source>
        <translation>数据从 %1 到达</translation>
    </message>
    <message>
        <source>a rate limit is exceeded</source>
        <translation>超过速率限制</translation>
    </message>
    <message>
        <source>handle %1</source>
        <translation>句柄 %1</translation>
    </message>
    <message>
        <source>multicast route</source>
        <translation>组播路由</translation>
    </message>
    <message>
        <source>no route covers 239.255.255.250: a program that does not pick its adapter cannot send the multicast probe (&quot;Network is unreachable&quot;)</source>
        <translation>没有路由覆盖 239.255.255.250：不指定网卡的程序无法发送组播探测（“Network is unreachable”）</translation>
    </message>
    <message>
        <source>Add one through the adapter the devices are on: ip route add 224.0.0.0/4 dev %1</source>
        <translation>通过设备所在网络的网卡添加一条：ip route add 224.0.0.0/4 dev %1</translation>
    </message>
    <message>
        <source>%1 through gateway %2</source>
        <translation>%1，经网关 %2</translation>
    </message>
    <message>
        <source>multicast to 239.255.255.250 leaves through %1, which is not an adapter devices are searched on (a VPN or virtual adapter?)</source>
        <translation>发往 239.255.255.250 的组播经 %1 发出，而它不是用于搜索设备的网卡（是 VPN 或虚拟网卡？）</translation>
    </message>
    <message>
        <source>quillonctl picks each adapter itself; for other programs: ip route add 224.0.0.0/4 dev %1</source>
        <translation>quillonctl 会自行选择每个网卡；对其他程序：ip route add 224.0.0.0/4 dev %1</translation>
    </message>
    <message>
        <source>multicast to 239.255.255.250 leaves through %1</source>
        <translation>发往 239.255.255.250 的组播经 %1 发出</translation>
    </message>
    <message>
        <source>reverse-path filter</source>
        <translation>反向路径过滤</translation>
    </message>
    <message>
        <source>%1: reverse-path filtering is %2 (not strict)</source>
        <translation>%1：反向路径过滤为%2（非严格）</translation>
    </message>
    <message>
        <source>loose</source>
        <translation>宽松</translation>
    </message>
    <message>
        <source>%1: strict reverse-path filtering drops replies from devices whose address is routed through another adapter (a device outside %1&apos;s subnet)</source>
        <translation>%1：严格的反向路径过滤会丢弃地址经其他网卡路由的设备的应答（位于 %1 子网之外的设备）</translation>
    </message>
    <message>
        <source>Make it loose: sysctl -w net.ipv4.conf.all.rp_filter=2 net.ipv4.conf.%1.rp_filter=2</source>
        <translation>改为宽松：sysctl -w net.ipv4.conf.all.rp_filter=2 net.ipv4.conf.%1.rp_filter=2</translation>
    </message>
    <message>
        <source>device %1</source>
        <translation>设备 %1</translation>
    </message>
    <message>
        <source>%1 at %2 lies in the subnet of %3</source>
        <translation>%1 位于 %2，在 %3 的子网内</translation>
    </message>
    <message>
        <source>%1 at %2 answers through %3 but lies outside every adapter&apos;s subnet (%4): trades to the 407 families go to its own address, through the default route</source>
        <translation>%1 位于 %2，经 %3 应答，但不在任何网卡的子网内（%4）：407 系列的交易发往它自己的地址，经默认路由</translation>
    </message>
    <message>
        <source>Give %1 an address of the device&apos;s subnet (ip addr add %2/%3 dev %1), or move the device into yours: quillonctl set %4 --ip ADDRESS --mask MASK</source>
        <translation>为 %1 添加设备所在子网的地址（ip addr add %2/%3 dev %1），或将设备移入本机子网：quillonctl set %4 --ip 地址 --mask 掩码</translation>
    </message>
    <message>
        <source>%1 (pid %2)</source>
        <translation>%1（进程号 %2）</translation>
    </message>
    <message>
        <source>port %1</source>
        <translation>端口 %1</translation>
    </message>
    <message>
        <source>UDP port %1 cannot be bound (%2); it is held on %3 by a process this user cannot see</source>
        <translation>UDP 端口 %1 无法绑定（%2）；它在 %3 上被当前用户看不到的进程占用</translation>
    </message>
    <message>
        <source>UDP port %1 cannot be bound (%2); it is held by %3</source>
        <translation>UDP 端口 %1 无法绑定（%2）；它被 %3 占用</translation>
    </message>
    <message>
        <source>Close that program (another configuration tool, or this tool&apos;s window) and try again; as root, &quot;ss -ulpn sport = :%1&quot; shows it too.</source>
        <translation>请关闭该程序（其他配置工具，或本工具的窗口程序）后重试；以 root 身份运行“ss -ulpn sport = :%1”也可查看。</translation>
    </message>
    <message>
        <source>UDP port %1 can be bound, but %2 also listens on it; replies sent to one address may reach that program instead</source>
        <translation>UDP 端口 %1 可以绑定，但 %2 也在监听该端口；发往单一地址的应答可能被该程序收走</translation>
    </message>
    <message>
        <source>If devices answer but none is listed, close that program.</source>
        <translation>如果设备有应答却没有列出，请关闭该程序。</translation>
    </message>
    <message>
        <source>UDP port %1 is free</source>
        <translation>UDP 端口 %1 空闲</translation>
    </message>
    <message>
        <source>confirmed</source>
        <translation>已确认</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>未改动</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>not confirmed</source>
        <translation>未确认</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>未找到</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>物理地址</translation>
    </message>
    <message>
        <source>Family</source>
        <translation>系列</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>修改前</translation>
    </message>
    <message>
        <source>After</source>
        <translation>修改后</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Detail</source>
        <translation>详情</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>掩码</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>服务器</translation>
    </message>
    <message>
        <source>Server port</source>
        <translation>服务器端口</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>固件</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>网卡</translation>
    </message>
    <message>
        <source>Replies</source>
        <translation>应答数</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not one of table, json, csv</source>
        <translation>%1：“%2”不是 table、json、csv 之一</translation>
    </message>
    <message>
        <source>--start-ip/--step: %1 addresses from %2, %3 apart, run past 255.255.255.254</source>
        <translation>--start-ip/--step：从 %2 起间隔 %3 的 %1 个地址超出了 255.255.255.254</translation>
    </message>
    <message>
        <source>%1 (line %2)</source>
        <translation>%1（第 %2 行）</translation>
    </message>
    <message>
        <source>%1 is planned for both %2 and %3</source>
        <translation>%1 同时分配给了 %2 和 %3</translation>
    </message>
    <message>
        <source>%1 is the network address of its subnet (mask %2) for %3</source>
        <translation>%1 是其子网（掩码 %2）的网络地址，不能分配给 %3</translation>
    </message>
    <message>
        <source>%1 is the broadcast address of its subnet (mask %2) for %3</source>
        <translation>%1 是其子网（掩码 %2）的广播地址，不能分配给 %3</translation>
    </message>
    <message>
        <source>%1, planned for %2, is held by %3, which the plan does not move</source>
        <translation>分配给 %2 的 %1 已被 %3 占用，而计划没有移走它</translation>
    </message>
    <message>
        <source>line %1, column %2</source>
        <translation>第 %1 行，%2 列</translation>
    </message>
    <message>
        <source>the plan is empty; its first line names the columns, such as mac,ip</source>
        <translation>计划为空；第一行应为列名，如 mac,ip</translation>
    </message>
    <message>
        <source>line %1: unknown column &quot;%2&quot;; the columns are %3</source>
        <translation>第 %1 行：未知的列“%2”；可用的列为 %3</translation>
    </message>
    <message>
        <source>line %1: column &quot;%2&quot; appears twice</source>
        <translation>第 %1 行：列“%2”出现两次</translation>
    </message>
    <message>
        <source>line %1: the plan has no &quot;mac&quot; column</source>
        <translation>第 %1 行：计划缺少“mac”列</translation>
    </message>
    <message>
        <source>line %1: %2 fields where the header names %3</source>
        <translation>第 %1 行：有 %2 个字段，而表头有 %3 个</translation>
    </message>
    <message>
        <source>%1: the MAC is missing</source>
        <translation>%1：缺少 MAC</translation>
    </message>
    <message>
        <source>line %1: %2 is already planned on line %3</source>
        <translation>第 %1 行：%2 已在第 %3 行计划过</translation>
    </message>
    <message>
        <source>line %1: the row for %2 sets nothing</source>
        <translation>第 %1 行：%2 这一行没有设置任何内容</translation>
    </message>
    <message>
        <source>line %1: give both user and password, or neither</source>
        <translation>第 %1 行：用户名和密码须同时给出或同时省略</translation>
    </message>
    <message>
        <source>the plan names no device</source>
        <translation>计划中没有设备</translation>
    </message>
    <message>
        <source>line %1, field %2: a double quote inside a field that does not start with one</source>
        <translation>第 %1 行第 %2 个字段：未以双引号开头的字段中含有双引号</translation>
    </message>
    <message>
        <source>line %1, field %2: the quoted field is never closed</source>
        <translation>第 %1 行第 %2 个字段：引号字段没有闭合</translation>
    </message>
    <message>
        <source>line %1, field %2: text after the closing double quote</source>
        <translation>第 %1 行第 %2 个字段：闭合双引号后还有文字</translation>
    </message>
    <message>
        <source>line %1: not UTF-8 text (save the plan as CSV UTF-8)</source>
        <translation>第 %1 行：不是 UTF-8 文本（请将计划另存为 CSV UTF-8）</translation>
    </message>
    <message>
        <source>%1 %2 (asked %3)</source>
        <translation>%1 为 %2（要求 %3）</translation>
    </message>
    <message>
        <source>Transactions run at once (default %1); devices that only await their confirmation do not count.</source>
        <translation>同时进行的交易数（默认 %1）；只在等待确认的设备不计在内。</translation>
    </message>
    <message>
        <source>Searching without:
%1</source>
        <translation>以下网卡未参与搜索：
%1</translation>
    </message>
</context>
<context>
    <name>DiscoveryService</name>
    <message>
        <source>no adapter to search through</source>
        <translation>没有可用于搜索的网卡</translation>
    </message>
    <message>
        <source>%1: cannot bind port %2: %3
</source>
        <translation>%1：无法绑定端口 %2：%3
</translation>
    </message>
    <message>
        <source>%1: cannot join %2 (error %3)
</source>
        <translation>%1：无法加入 %2（错误 %3）
</translation>
    </message>
    <message>
        <source>device list full</source>
        <translation>设备列表已满</translation>
    </message>
</context>
</TS>
