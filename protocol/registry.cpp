#include "protocol/registry.h"

#include <new>
#include <string.h>

AdapterListData AdapterList;
ShareListData ShareList;

namespace {

// Links a new node in at the tail.  The caller fills its fields.
template <class Node>
void Link(NodeList<Node> &list, Node *node) {
    const bool wasEmpty = list.count == 0;
    list.count++;
    if (wasEmpty) {
        list.head = node;
    } else {
        list.tail->next = node;
    }
    list.tail = node;
    node->next = nullptr;
}

template <class Node>
void Clear(NodeList<Node> &list) {
    Node *node = list.head;
    while (node) {
        Node *next = node->next;
        delete node;
        node = next;
    }
    list.head = nullptr;
    list.tail = nullptr;
    list.count = 0;
}

// The first node whose text field (selected by member) equals text exactly.
template <class Node, size_t N>
Node *Find(const NodeList<Node> &list, char (Node::*field)[N], const char *text) {
    for (Node *node = list.head; node; node = node->next)
        if (strcmp(node->*field, text) == 0) return node;
    return nullptr;
}

}  // namespace

AdapterNode *NewAdapterNode() { return new (std::nothrow) AdapterNode(); }

int AdapterListIsEmpty() { return AdapterList.count == 0; }

void AppendAdapter(const char *name, const char *ipText, const char *netmaskText, const char *gatewayText,
                   const unsigned char *deviceId, const char *dhcpFlag) {
    AdapterNode *node = NewAdapterNode();
    if (!node) return;
    Link(AdapterList, node);
    CopyText(node->name, sizeof node->name, name);
    CopyText(node->ipText, sizeof node->ipText, ipText);
    CopyText(node->netmaskText, sizeof node->netmaskText, netmaskText);
    CopyText(node->gatewayText, sizeof node->gatewayText, gatewayText);
    memcpy(node->deviceId, deviceId, DEVICE_ID_SIZE);
    CopyText(node->dhcpFlag, sizeof node->dhcpFlag, dhcpFlag);
}

int AdapterListHasAddress(const char *text) { return Find(AdapterList, &AdapterNode::ipText, text) != nullptr; }

AdapterNode *FindSelectedAdapter() { return Find(AdapterList, &AdapterNode::ipText, SelectedAddress); }

void ClearAdapterList() { Clear(AdapterList); }

ShareNode *NewShareNode() { return new (std::nothrow) ShareNode(); }

int ShareListIsEmpty() { return ShareList.count == 0; }

void AppendShare(const char *name) {
    ShareNode *node = NewShareNode();
    if (!node) return;
    Link(ShareList, node);
    CopyText(node->name, sizeof node->name, name);
}

int ShareListHasName(const char *text) { return Find(ShareList, &ShareNode::name, text) != nullptr; }

void ClearShareList() { Clear(ShareList); }
