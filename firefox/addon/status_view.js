// What the user sees of the add-on: the toolbar button's badge and title, and the popup.
import {texts} from "./texts.js";

const kOnColor = "#2e7d32";
const kWarningColor = "#c62828";

// `state`: from readHostMessage, or null while the host cannot be reached.
export function statusView(state) {
  if (!state) {
    return warning(texts.noHost);
  }
  if (state.on) {
    const notes = state.ignoredBypass > 0 ? [texts.ignoredBypass(state.ignoredBypass)] : [];
    return {
      badge: texts.onBadge,
      badgeColor: kOnColor,
      title: texts.onTitle(state.label),
      headline: texts.onHeadline,
      detail: texts.onDetail(state.label),
      notes,
    };
  }
  switch (state.reason) {
    case "cleared":
      return quiet(texts.cleared);
    case "missing":
      return quiet(texts.missing);
    case "invalid":
      return warning(texts.invalid(state.problem));
    default:
      return warning(texts.unreadable);
  }
}

function quiet(detail) {
  return {badge: "", badgeColor: kOnColor, title: texts.offTitle, headline: texts.offHeadline, detail, notes: []};
}

function warning(detail) {
  return {
    badge: texts.warningBadge,
    badgeColor: kWarningColor,
    title: texts.offTitle,
    headline: texts.offHeadline,
    detail,
    notes: [],
  };
}
