// The two registries: the adapters that answered the last sweep, and the
// shared folders of the selected adapter.  Each is a singly linked list of
// heap records with count, head and tail; it owns its nodes and frees them
// only when it is cleared.  Following next from head visits count nodes in
// the order they were appended and ends at tail.
#ifndef PROTOCOL_REGISTRY_H
#define PROTOCOL_REGISTRY_H

#include <stdint.h>

#include "protocol/messages.h"

struct AdapterNode {
    char name[ADAPTER_NAME_SIZE];
    char ipText[IP_TEXT_SIZE];
    char netmaskText[IP_TEXT_SIZE];
    char gatewayText[IP_TEXT_SIZE];
    char dhcpFlag[DHCP_FLAG_SIZE];   // "1" when the adapter is a DHCP client
    unsigned char deviceId[DEVICE_ID_SIZE];
    AdapterNode *next;
};

const size_t SHARE_NAME_SIZE = 64;
struct ShareNode {
    char name[SHARE_NAME_SIZE];   // a longer name is cut to 63 characters
    ShareNode *next;
};

template <class Node>
struct NodeList {
    int32_t count;
    Node *head;
    Node *tail;
};
typedef NodeList<AdapterNode> AdapterListData;
typedef NodeList<ShareNode> ShareListData;

extern AdapterListData AdapterList;
extern ShareListData ShareList;

AdapterNode *NewAdapterNode();   // zeroed, or nullptr when memory runs out
int AdapterListIsEmpty();
void AppendAdapter(const char *name, const char *ipText, const char *netmaskText, const char *gatewayText,
                   const unsigned char *deviceId, const char *dhcpFlag);
int AdapterListHasAddress(const char *text);
AdapterNode *FindSelectedAdapter();   // first node whose ipText equals SelectedAddress
void ClearAdapterList();

ShareNode *NewShareNode();
int ShareListIsEmpty();
void AppendShare(const char *name);
int ShareListHasName(const char *text);
void ClearShareList();

#endif
