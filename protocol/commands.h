// The four commands to the adapter at SelectedAddress.
//
// Each finds its target with FindSelectedAdapter (none: result 0 at once,
// nothing sent), sends one request to the group with the target's DeviceId,
// and waits with the exchange loop: a reply of another type is passed over
// uncounted; no reply, another instance's reply and a reply that fails the
// command's own test are counted, 100 ms apart.  Login and share list give
// up after 11 counted polls (about 1.1 s), the set commands after 101
// (about 11 s).  Later replies stay queued.
#ifndef PROTOCOL_COMMANDS_H
#define PROTOCOL_COMMANDS_H

// Sends Credentials.  The adapter's verdict; 0 when refused, unanswered or
// when there is no target.
int LoginAdapter();

// Empties the ShareList, then fills it from the reply's ":"-separated names
// (empty names and repeats skipped, names over 63 characters cut).  1 when a
// reply from SelectedAddress was accepted, even with no names in it.
int GetShareList();

// Switches the adapter to DHCP.  Accepts the first own set reply whatever
// address it carries, and takes that address as the adapter's new one: the
// target node's ipText and DeviceId address, then SelectedAddress.
int SetDhcpClient();

// Sends PendingLanSettings.  Accepts only a set reply carrying the requested
// address; then the node takes the new address, netmask and gateway, and
// SelectedAddress the new address.
int SetStaticIp();

// Whether gateway lies in the subnet of address under netmask: for each of
// the four fields, address AND netmask equals gateway AND netmask.
int GatewayInSubnet(const unsigned char address[4], const unsigned char netmask[4], const unsigned char gateway[4]);

#endif
