#include "model/QvWan.h"

void TQvWan::SetVarNames(const std::string& prefix) {
    // Written over the old names: renaming on every Generate allocates nothing.
    IpVar.Name.assign(prefix).append("ip");
    NameVar.Name.assign(prefix);
    RxVar.Name.assign(prefix).append("Rx");
    TxVar.Name.assign(prefix).append("Tx");
}

void TQvWan::Assign(const std::string& interfaceName, const std::string& ip, std::int32_t uploadMbps,
                    std::int32_t downloadMbps) {
    SetVarNames(interfaceName);
    IpVar.Value = ip;
    NameVar.Value = interfaceName;
    RxVar.Value = uploadMbps;
    TxVar.Value = downloadMbps;
}

void TQvWan::RenderLines() {
    Lines.clear();
    Lines.push_back(IpVar.RenderGlobal());
    Lines.push_back(NameVar.RenderGlobal());
    Lines.push_back(RxVar.RenderGlobalMbps());
    Lines.push_back(TxVar.RenderGlobalMbps());
}
