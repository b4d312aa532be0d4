#include "model/QvWan.h"

void TQvWan::SetVarNames(const std::string& prefix) {
    IpVar.Name = prefix + "ip";
    NameVar.Name = prefix;
    RxVar.Name = prefix + "Rx";
    TxVar.Name = prefix + "Tx";
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
