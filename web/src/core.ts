// The page's connection to the WebAssembly core: creates the one document, shows the core's
// message boxes as in-page dialogs, and hands out the core's state. Nothing here decides
// anything about a decoder; it forwards.
import coreFactory from 'korrin-core';
import type {
  Answer,
  BoxKind,
  ButtonSet,
  ComparisonJson,
  DocumentStateJson,
  InfoTextsJson,
  KorrinCoreFactory,
  KorrinDocument,
} from './core-api';
import { buttonAnswers } from './core-api';
import { askFileName, messageBox, type BoxKind as PageBoxKind } from './dialogs';

const KIND: Record<BoxKind, PageBoxKind> = { warning: 'warning', error: 'error', info: 'information' };

// The core's boxes are shown one after another. A box with one button does not keep the core
// waiting (it goes on with that answer); a question does, through the promise it is given.
class DialogQueue {
  private tail: Promise<unknown> = Promise.resolve();

  show(kind: BoxKind, text: string, buttons: ButtonSet): Promise<Answer> {
    const answers = buttonAnswers[buttons];
    const shown = this.tail.then(() => messageBox(KIND[kind], text, answers) as Promise<Answer>);
    this.tail = shown;
    return shown;
  }

  // Resolves when every box shown so far has been answered.
  async drained(): Promise<void> {
    let seen: Promise<unknown>;
    do {
      seen = this.tail;
      await seen;
    } while (seen !== this.tail);
  }
}

export class Core {
  readonly doc: KorrinDocument;
  readonly dialogs: DialogQueue;

  private constructor(doc: KorrinDocument, dialogs: DialogQueue) {
    this.doc = doc;
    this.dialogs = dialogs;
  }

  static async create(): Promise<Core> {
    const module = await (coreFactory as unknown as KorrinCoreFactory)();
    const dialogs = new DialogQueue();
    const doc = new module.KorrinDocument({
      dialog: (kind, text, buttons) => {
        const answer = dialogs.show(kind, text, buttons);
        // Boxes with one button: the core goes on at once with that answer.
        return buttonAnswers[buttons].length === 1 ? buttonAnswers[buttons][0] : answer;
      },
      // The save's file dialog: the boxes shown before it are answered first.
      saveName: async (title, preset) => {
        await dialogs.drained();
        return askFileName(title, preset);
      },
    });
    return new Core(doc, dialogs);
  }

  state(): DocumentStateJson {
    return JSON.parse(this.doc.state()) as DocumentStateJson;
  }

  infoTexts(): InfoTextsJson {
    return JSON.parse(this.doc.infoTexts()) as InfoTextsJson;
  }

  compare(name: string, bytes: Uint8Array): ComparisonJson {
    return JSON.parse(this.doc.compare(name, bytes)) as ComparisonJson;
  }
}
